// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SystemLanguage.h"

#include <QLocale>
#include <array>

namespace kelvor {

namespace {

struct LanguageRow {
  QLocale::Language language;
  QLocale::Territory territory;
  int id;
};

// Language and territory to identifier: the German-speaking locales and their neighbours
// in full, the other common languages with their main territories.
constexpr std::array<LanguageRow, 57> Rows{{
    {QLocale::German, QLocale::Germany, 1031},
    {QLocale::German, QLocale::Switzerland, 2055},
    {QLocale::German, QLocale::Austria, 3079},
    {QLocale::German, QLocale::Luxembourg, 4103},
    {QLocale::German, QLocale::Liechtenstein, 5127},
    {QLocale::UpperSorbian, QLocale::Germany, 1070},
    {QLocale::LowerSorbian, QLocale::Germany, 2094},
    {QLocale::Slovenian, QLocale::Slovenia, 1060},
    {QLocale::English, QLocale::UnitedStates, 1033},
    {QLocale::English, QLocale::UnitedKingdom, 2057},
    {QLocale::English, QLocale::Australia, 3081},
    {QLocale::English, QLocale::Canada, 4105},
    {QLocale::English, QLocale::NewZealand, 5129},
    {QLocale::English, QLocale::Ireland, 6153},
    {QLocale::English, QLocale::SouthAfrica, 7177},
    {QLocale::English, QLocale::India, 16393},
    {QLocale::French, QLocale::France, 1036},
    {QLocale::French, QLocale::Belgium, 2060},
    {QLocale::French, QLocale::Canada, 3084},
    {QLocale::French, QLocale::Switzerland, 4108},
    {QLocale::French, QLocale::Luxembourg, 5132},
    {QLocale::Italian, QLocale::Italy, 1040},
    {QLocale::Italian, QLocale::Switzerland, 2064},
    {QLocale::Dutch, QLocale::Netherlands, 1043},
    {QLocale::Dutch, QLocale::Belgium, 2067},
    {QLocale::Spanish, QLocale::Spain, 3082},
    {QLocale::Spanish, QLocale::Mexico, 2058},
    {QLocale::Portuguese, QLocale::Brazil, 1046},
    {QLocale::Portuguese, QLocale::Portugal, 2070},
    {QLocale::Danish, QLocale::Denmark, 1030},
    {QLocale::Swedish, QLocale::Sweden, 1053},
    {QLocale::NorwegianBokmal, QLocale::Norway, 1044},
    {QLocale::Finnish, QLocale::Finland, 1035},
    {QLocale::Polish, QLocale::Poland, 1045},
    {QLocale::Czech, QLocale::CzechRepublic, 1029},
    {QLocale::Slovak, QLocale::Slovakia, 1051},
    {QLocale::Hungarian, QLocale::Hungary, 1038},
    {QLocale::Croatian, QLocale::Croatia, 1050},
    {QLocale::Bosnian, QLocale::BosniaAndHerzegowina, 5146},
    {QLocale::Romanian, QLocale::Romania, 1048},
    {QLocale::Bulgarian, QLocale::Bulgaria, 1026},
    {QLocale::Greek, QLocale::Greece, 1032},
    {QLocale::Turkish, QLocale::Turkey, 1055},
    {QLocale::Russian, QLocale::Russia, 1049},
    {QLocale::Ukrainian, QLocale::Ukraine, 1058},
    {QLocale::Lithuanian, QLocale::Lithuania, 1063},
    {QLocale::Latvian, QLocale::Latvia, 1062},
    {QLocale::Estonian, QLocale::Estonia, 1061},
    {QLocale::Icelandic, QLocale::Iceland, 1039},
    {QLocale::Luxembourgish, QLocale::Luxembourg, 1134},
    {QLocale::Hebrew, QLocale::Israel, 1037},
    {QLocale::Arabic, QLocale::SaudiArabia, 1025},
    {QLocale::Japanese, QLocale::Japan, 1041},
    {QLocale::Korean, QLocale::SouthKorea, 1042},
    {QLocale::Chinese, QLocale::China, 2052},
    {QLocale::Chinese, QLocale::Taiwan, 1028},
    {QLocale::Chinese, QLocale::HongKong, 3076},
}};

}  // namespace

int SystemLanguage::languageId() {
  return languageIdFor(QLocale::system());
}

int SystemLanguage::languageIdFor(const QLocale& locale) {
  if (locale.language() == QLocale::C) return Invariant;
  for (const LanguageRow& row : Rows)
    if (row.language == locale.language() && row.territory == locale.territory()) return row.id;
  return CustomUnspecified;
}

}  // namespace kelvor
