// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/acquisition/MeterModels.h"

#include <cctype>
#include <iterator>

namespace kelvor {

namespace {

constexpr LineSettings Ascii1200{1200, 7, Parity::None, 2, true, false};
constexpr LineSettings Ascii600{600, 7, Parity::None, 2, true, false};
constexpr LineSettings Ascii2400{2400, 7, Parity::None, 2, true, false};
constexpr LineSettings Ascii9600{9600, 7, Parity::None, 2, true, false};
constexpr LineSettings Fortune{2400, 8, Parity::None, 1, true, false};
constexpr LineSettings Cyrustek{19200, 7, Parity::Odd, 1, true, false};
constexpr LineSettings Ut71{2400, 7, Parity::Odd, 1, true, false};
constexpr LineSettings Mm38xr{9600, 8, Parity::None, 1, true, false};
constexpr LineSettings Vc96{1200, 8, Parity::None, 2, true, false};
constexpr LineSettings Ut61Plus{9600, 8, Parity::None, 1, true, false};
constexpr LineSettings Fluke28x{115200, 8, Parity::None, 1, true, false};
constexpr LineSettings Rs9lcd{4800, 8, Parity::None, 1, true, false};
constexpr LineSettings Bm25x{9600, 8, Parity::None, 1, true, true};
constexpr LineSettings Dtm0660{2400, 8, Parity::None, 1, true, false};
constexpr LineSettings Ms8250d{2400, 8, Parity::None, 1, true, false};
constexpr LineSettings Ms2115b{1200, 8, Parity::None, 1, true, false};
constexpr LineSettings Asycii{2400, 8, Parity::None, 1, true, false};
constexpr LineSettings Es51978{2400, 7, Parity::Odd, 1, true, false};
constexpr LineSettings Vc870{9600, 8, Parity::None, 1, true, false};

// One row per model: vendor, model, protocol family, line settings, its own USB-HID cable.
constexpr MeterModel modelTable[] = {
    {"Digitek", "DT4000ZC", "fs9721", Fortune},
    {"Metex", "M-3640D", "single", Ascii1200},
    {"Metex", "M-3650D", "single", Ascii1200},
    {"Metex", "M-3850D", "single", Ascii1200},
    {"Metex", "M-3860D", "four", Ascii1200},
    {"Metex", "M-3870D", "four", Ascii1200},
    {"Tenma", "72-7730", "fs9922", Fortune},
    {"Tenma", "72-7745", "fs9721", Fortune},
    {"Tenma", "72-7750", "es51986", Cyrustek},
    {"TekPower", "TP4000ZC", "fs9721", Fortune},
    {"UNI-T", "UT60A", "fs9721", Fortune},
    {"UNI-T", "UT60E", "fs9721", Fortune},
    {"UNI-T", "UT60G", "es51986", Cyrustek},
    {"UNI-T", "UT61B", "fs9922", Fortune},
    {"UNI-T", "UT61C", "fs9922", Fortune},
    {"UNI-T", "UT61D", "fs9922", Fortune},
    {"UNI-T", "UT61E", "es51922", Cyrustek},
    {"UNI-T", "UT71A", "ut71x", Ut71},
    {"UNI-T", "UT71B", "ut71x", Ut71},
    {"UNI-T", "UT71C", "ut71x", Ut71},
    {"UNI-T", "UT71D", "ut71x", Ut71},
    {"UNI-T", "UT71E", "ut71x", Ut71},
    {"Victor", "86C", "fs9922", Fortune, "hid:1244:d237"},  // FS9922 frames, scrambled
    {"Voltcraft", "ME-32", "single", Ascii600},
    {"Voltcraft", "VC-820", "fs9721", Fortune},
    {"Voltcraft", "VC-830", "fs9922", Fortune},
    {"Voltcraft", "VC-840", "fs9721", Fortune},
    {"Voltcraft", "VC-920", "ut71x", Ut71},
    {"Voltcraft", "VC-940", "ut71x", Ut71},
    {"Voltcraft", "VC-960", "ut71x", Ut71},
    {"Amprobe", "38XR-A", "mm38xr", Mm38xr},
    {"Meterman", "38XR", "mm38xr", Mm38xr},
    {"Voltcraft", "VC-96", "vc96", Vc96},
    {"RadioShack", "22-812", "rs9lcd", Rs9lcd},
    {"Brymen", "BM257", "bm25x", Bm25x},
    {"Brymen", "BM257s", "bm25x", Bm25x},
    {"PeakTech", "3415", "dtm0660", Dtm0660},
    {"Velleman", "DVM4100", "dtm0660", Dtm0660},
    {"Mastech", "MS8250D", "ms8250d", Ms8250d},
    {"Mastech", "MS2115B", "ms2115b", Ms2115b},
    {"BBC Goerz Metrawatt", "M2110", "m2110", Ascii1200},
    {"Metrix", "MX56C", "asycii", Asycii},
    {"ISO-TECH", "IDM103N", "es51978", Es51978},
    {"Voltcraft", "VC-870", "vc870", Vc870},
    {"BK Precision", "5390", "asycii", Asycii},
    {"UNI-T", "UT61B+", "ut61eplus", Ut61Plus},
    {"UNI-T", "UT61D+", "ut61eplus", Ut61Plus},
    {"UNI-T", "UT61E+", "ut61eplus", Ut61Plus},
    {"UNI-T", "UT161B", "ut61eplus", Ut61Plus},
    {"UNI-T", "UT161D", "ut61eplus", Ut61Plus},
    {"UNI-T", "UT161E", "ut61eplus", Ut61Plus},
    {"Fluke", "287", "fluke28x", Fluke28x},
    {"Fluke", "289", "fluke28x", Fluke28x},
    {"Mastech", "MAS345", "single", Ascii600},
    {"Metex", "M-3650CR", "single", Ascii1200},
    {"Metex", "M-4650CR", "single", Ascii1200},
    {"Metex", "ME-11", "single", Ascii600},
    {"Metex", "ME-21", "single", Ascii2400},
    {"Metex", "ME-31", "single", Ascii600},
    {"Metex", "ME-32", "single", Ascii600},
    {"Metex", "ME-42", "single", Ascii600},
    {"PeakTech", "3410", "single", Ascii600},
    {"PeakTech", "4370", "single", Ascii1200},
    {"RadioShack", "22-168", "single", Ascii1200},
    {"RadioShack", "22-805", "single", Ascii600},
    {"Voltcraft", "M-3650CR", "single", Ascii1200},
    {"Voltcraft", "M-3650D", "single", Ascii1200},
    {"Voltcraft", "M-3850D", "single", Ascii1200},
    {"Voltcraft", "M-4650CR", "single", Ascii1200},
    {"Voltcraft", "ME-42", "single", Ascii600},
    {"Metex", "M-3850M", "four", Ascii9600},
    {"Metex", "M-3860M", "four", Ascii9600},
    {"PeakTech", "4380", "four", Ascii1200},
    {"PeakTech", "4390A", "four", Ascii9600},
    {"Wavetek", "38XR", "mm38xr", Mm38xr},
    {"Mastech", "MS8250B", "fs9721", Fortune},
    {"PCE", "PCE-DM32", "fs9721", Fortune},
    {"PeakTech", "3330", "fs9721", Fortune},
    {"Tecpel", "DMM-8061", "fs9721", Fortune},
    {"Tecpel", "DMM-8062", "fs9721", Fortune},
    {"V&A", "VA18B", "fs9721", Fortune},
    {"V&A", "VA40B", "fs9721", Fortune},
    {"GW Instek", "GDM-397", "fs9922", Fortune},
    {"PeakTech", "2025", "fs9922", Fortune},
    {"SparkFun", "70C", "fs9922", Fortune},
    {"Wintex", "TD2200", "es51922", Cyrustek},
    {"ISO-TECH", "IDM98II", "es51978", Es51978},
    {"Amprobe", "35XP-A", "es51986", Cyrustek},
    {"Tenma", "72-1016", "es51986", Cyrustek},
    {"UNI-T", "UT803", "es51986", Cyrustek},
    {"Tenma", "72-7732", "ut71x", Ut71},
    {"Tenma", "72-9380A", "ut71x", Ut71},
    {"UNI-T", "UT804", "ut71x", Ut71},
};

}  // namespace

std::string MeterModel::id() const {
  std::string text = title();
  for (char& c : text)
    c = c == ' ' ? '-' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

const std::vector<MeterModel>& meterModels() {
  static const std::vector<MeterModel> models(std::begin(modelTable), std::end(modelTable));
  return models;
}

const MeterModel* modelNamed(std::string_view id) {
  for (const MeterModel& model : meterModels())
    if (model.id() == id) return &model;
  return nullptr;
}

}  // namespace kelvor
