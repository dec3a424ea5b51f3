// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/acquisition/MeterModels.h"

#include <cctype>

namespace kelvor {

namespace {

constexpr LineSettings Ascii1200{1200, 7, Parity::None, 2, true, false};
constexpr LineSettings Ascii600{600, 7, Parity::None, 2, true, false};
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

}  // namespace

std::string MeterModel::id() const {
  std::string text = title();
  for (char& c : text)
    c = c == ' ' ? '-' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

const std::vector<MeterModel>& meterModels() {
  static const std::vector<MeterModel> models{
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
      {"Victor", "86C", "fs9922", Fortune},
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
  };
  return models;
}

const MeterModel* modelNamed(std::string_view id) {
  for (const MeterModel& model : meterModels())
    if (model.id() == id) return &model;
  return nullptr;
}

}  // namespace kelvor
