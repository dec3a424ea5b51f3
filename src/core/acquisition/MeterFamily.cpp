// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/acquisition/MeterFamily.h"

#include "core/acquisition/AsciiFamily.h"
#include "core/acquisition/AsyciiFamily.h"
#include "core/acquisition/Bm25xFamily.h"
#include "core/acquisition/Dtm0660Family.h"
#include "core/acquisition/Es51922Family.h"
#include "core/acquisition/Es519xxFamily.h"
#include "core/acquisition/Fluke28xFamily.h"
#include "core/acquisition/Fs9721Family.h"
#include "core/acquisition/Fs9922Family.h"
#include "core/acquisition/M2110Family.h"
#include "core/acquisition/Mm38xrFamily.h"
#include "core/acquisition/Ms2115bFamily.h"
#include "core/acquisition/Ms8250dFamily.h"
#include "core/acquisition/Rs9lcdFamily.h"
#include "core/acquisition/Ut61ePlusFamily.h"
#include "core/acquisition/Ut71xFamily.h"
#include "core/acquisition/Vc870Family.h"
#include "core/acquisition/Vc96Family.h"

namespace kelvor {

const std::vector<const MeterFamily*>& meterFamilies() {
  static const AsciiFamily single(false);
  static const AsciiFamily four(true);
  static const Ut61ePlusFamily ut61eplus;
  static const Fluke28xFamily fluke28x;
  static const Fs9721Family fs9721;
  static const Fs9922Family fs9922;
  static const Es51922Family es51922;
  static const Ut71xFamily ut71x;
  static const Mm38xrFamily mm38xr;
  static const Vc96Family vc96;
  static const Rs9lcdFamily rs9lcd;
  static const Bm25xFamily bm25x;
  static const Dtm0660Family dtm0660;
  static const Ms8250dFamily ms8250d;
  static const Ms2115bFamily ms2115b;
  static const M2110Family m2110;
  static const AsyciiFamily asycii;
  static const Es519xxFamily es51978(false);
  static const Es519xxFamily es51986(true);
  static const Vc870Family vc870;
  static const std::vector<const MeterFamily*> families{
      &single,  &four,   &ut61eplus, &fluke28x, &fs9721,  &fs9922,  &es51922,
      &ut71x,   &mm38xr, &vc96,      &rs9lcd,   &bm25x,   &dtm0660, &ms8250d,
      &ms2115b, &m2110,  &asycii,    &es51978,  &es51986, &vc870,
  };
  return families;
}

const MeterFamily* familyNamed(std::string_view name) {
  for (const MeterFamily* family : meterFamilies())
    if (family->name() == name) return family;
  return nullptr;
}

}  // namespace kelvor
