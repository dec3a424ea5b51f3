// SPDX-License-Identifier: GPL-3.0-or-later
#include "CableReports.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <initializer_list>

namespace kelvor::metersim {

namespace {

constexpr std::uint16_t BusUsb = 0x03;

// Short items of a report descriptor: the tag byte with the size bits of one data byte.
enum : unsigned char {
  UsagePage = 0x06,  // two data bytes
  Usage = 0x09,
  Collection = 0xA1,
  EndCollection = 0xC0,
  LogicalMinimum = 0x15,
  LogicalMaximum = 0x26,  // two data bytes
  ReportSize = 0x75,
  ReportCount = 0x95,
  ReportId = 0x85,
  Input = 0x81,
  Output = 0x91,
  Feature = 0xB1,
};
constexpr unsigned char DataVariable = 0x02;  // data, variable, absolute

void add(std::string& descriptor, std::initializer_list<unsigned> bytes) {
  for (const unsigned byte : bytes) descriptor += static_cast<char>(byte & 0xFF);
}

// A report of `count` bytes in each of the kinds given (Input, Output, Feature).
void addReport(std::string& descriptor, unsigned id, unsigned count,
               std::initializer_list<unsigned> kinds) {
  if (id != 0) add(descriptor, {ReportId, id});
  add(descriptor, {ReportCount, count});
  for (const unsigned kind : kinds) add(descriptor, {Usage, 0x01, kind, DataVariable});
}

}  // namespace

std::optional<VirtualCable> virtualCableNamed(std::string_view name) {
  if (name == "cp2110") return VirtualCable::Cp2110;
  if (name == "ch9325") return VirtualCable::Ch9325;
  return std::nullopt;
}

CableIdentity cableIdentity(VirtualCable cable) {
  return cable == VirtualCable::Cp2110 ? CableIdentity{"kelvor-metersim CP2110", 0x10c4, 0xea80}
                                       : CableIdentity{"kelvor-metersim CH9325", 0x1a86, 0xe008};
}

std::string cableDescriptor(VirtualCable cable) {
  std::string descriptor;
  add(descriptor, {UsagePage, 0x00, 0xFF, Usage, 0x01, Collection, 0x01});  // vendor's own
  add(descriptor, {LogicalMinimum, 0x00, LogicalMaximum, 0xFF, 0x00, ReportSize, 0x08});
  if (cable == VirtualCable::Cp2110) {
    for (unsigned count = 1; count <= 63; ++count)
      addReport(descriptor, count, count, {Input, Output});
    addReport(descriptor, 0x41, 1, {Feature});  // UART on or off
    addReport(descriptor, 0x50, 8, {Feature});  // line settings
    addReport(descriptor, 0x43, 1, {Feature});  // purge the FIFOs
  } else {
    addReport(descriptor, 0, 8, {Input, Output});
    addReport(descriptor, 0, 5, {Feature});  // the rate and the data bits
  }
  add(descriptor, {EndCollection});
  return descriptor;
}

std::vector<std::string> cableInputReports(VirtualCable cable, std::string_view bytes) {
  const std::size_t perReport = cable == VirtualCable::Cp2110 ? 63 : 7;
  std::vector<std::string> reports;
  for (std::size_t at = 0; at < bytes.size(); at += perReport) {
    const std::string_view part = bytes.substr(at, perReport);
    const auto count = static_cast<unsigned char>(part.size());
    std::string report(1, static_cast<char>(cable == VirtualCable::Cp2110 ? count : 0xF0 | count));
    report += part;
    if (cable == VirtualCable::Ch9325) report.resize(8, '\0');
    reports.push_back(std::move(report));
  }
  return reports;
}

uhid_event createEvent(VirtualCable cable) {
  const CableIdentity identity = cableIdentity(cable);
  const std::string descriptor = cableDescriptor(cable);
  uhid_event event{};
  event.type = UHID_CREATE2;
  uhid_create2_req& create = event.u.create2;
  std::strncpy(reinterpret_cast<char*>(create.name), identity.name, sizeof create.name - 1);
  create.rd_size = static_cast<std::uint16_t>(descriptor.size());
  create.bus = BusUsb;
  create.vendor = identity.vendorId;
  create.product = identity.productId;
  std::copy(descriptor.begin(), descriptor.end(), create.rd_data);
  return event;
}

uhid_event inputEvent(std::string_view report) {
  uhid_event event{};
  event.type = UHID_INPUT2;
  event.u.input2.size =
      static_cast<std::uint16_t>(std::min<std::size_t>(report.size(), UHID_DATA_MAX));
  std::copy_n(report.begin(), event.u.input2.size, event.u.input2.data);
  return event;
}

std::optional<uhid_event> answerTo(const uhid_event& request) {
  uhid_event answer{};
  if (request.type == UHID_SET_REPORT) {
    answer.type = UHID_SET_REPORT_REPLY;
    answer.u.set_report_reply.id = request.u.set_report.id;
    answer.u.set_report_reply.err = 0;
    return answer;
  }
  if (request.type == UHID_GET_REPORT) {
    answer.type = UHID_GET_REPORT_REPLY;
    answer.u.get_report_reply.id = request.u.get_report.id;
    answer.u.get_report_reply.err = EIO;
    return answer;
  }
  return std::nullopt;
}

}  // namespace kelvor::metersim
