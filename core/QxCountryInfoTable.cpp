#include "core/QxCountryInfoTable.h"

#include <cstring>
#include <iterator>

namespace {

struct CountryRow {
    const char* name;
    const char* code;
};

const CountryRow g_countryRows[] = {
    {"CANADA", "CA"},
    {"FRANCE", "FR"},
    {"GERMANY", "DE"},
    {"UNITED KINGDOM", "UK"},
    {"ITALY", "IT"},
    {"MEXICO", "MX"},
    {"JAPAN", "JP"},
    {"AFGHANISTAN", "AF"},
    {"ALBANIA", "AL"},
    {"ALGERIA", "DZ"},
    {"AMERICAN SAMOA", "AS"},
    {"ANDORRA", "AD"},
    {"ANGOLA", "AO"},
    {"ANGUILLA", "AI"},
    {"ANTARCTICA", "AQ"},
    {"ANTIGUA AND BARBUDA", "AG"},
    {"ARGENTINA", "AR"},
    {"ARMENIA", "AM"},
    {"ARUBA", "AW"},
    {"AUSTRALIA", "AU"},
    {"AUSTRIA", "AT"},
    {"AZERBAIJAN", "AZ"},
    {"BAHAMAS", "BS"},
    {"BAHRAIN", "BH"},
    {"BANGLADESH", "BD"},
    {"BARBADOS", "BB"},
    {"BELARUS", "BY"},
    {"BELGIUM", "BE"},
    {"BELIZE", "BZ"},
    {"BENIN", "BJ"},
    {"BERMUDA", "BM"},
    {"BHUTAN", "BT"},
    {"BOLIVIA", "BO"},
    {"BOSNIA AND HERZEGOWINA", "BA"},
    {"BOTSWANA", "BW"},
    {"BOUVET ISLAND", "BV"},
    {"BRAZIL", "BR"},
    {"BRITISH INDIAN OCEAN TERRITORY", "IO"},
    {"BRUNEI DARUSSALAM", "BN"},
    {"BULGARIA", "BG"},
    {"BURKINA FASO", "BF"},
    {"BURUNDI", "BI"},
    {"CAMBODIA", "KH"},
    {"CAMEROON", "CM"},
    {"CAPE VERDE", "CV"},
    {"CAYMAN ISLANDS", "KY"},
    {"CENTRAL AFRICAN REPUBLIC", "CF"},
    {"CHAD", "TD"},
    {"CHILE", "CL"},
    {"CHINA", "CN"},
    {"CHRISTMAS ISLAND", "CX"},
    {"COCOS (KEELING) ISLANDS", "CC"},
    {"COLOMBIA", "CO"},
    {"COMOROS", "KM"},
    {"CONGO", "CG"},
    {"COOK ISLANDS", "CK"},
    {"COSTA RICA", "CR"},
    {"COTE D'IVOIRE", "CI"},
    {"CROATIA (local name: Hrvatska)", "HR"},
    {"CUBA", "CU"},
    {"CYPRUS", "CY"},
    {"CZECH REPUBLIC", "CZ"},
    {"DENMARK", "DK"},
    {"DJIBOUTI", "DJ"},
    {"DOMINICA", "DM"},
    {"DOMINICAN REPUBLIC", "DO"},
    {"EAST TIMOR", "TP"},
    {"ECUADOR", "EC"},
    {"EGYPT", "EG"},
    {"EL SALVADOR", "SV"},
    {"EQUATORIAL GUINEA", "GQ"},
    {"ERITREA", "ER"},
    {"ESTONIA", "EE"},
    {"ETHIOPIA", "ET"},
    {"European Union", "EU"},
    {"FALKLAND ISLANDS (MALVINAS)", "FK"},
    {"FAROE ISLANDS", "FO"},
    {"FIJI", "FJ"},
    {"FINLAND", "FI"},
    {"FRANCE, METROPOLITAN", "FX"},
    {"FRENCH GUIANA", "GF"},
    {"FRENCH POLYNESIA", "PF"},
    {"FRENCH SOUTHERN TERRITORIES", "TF"},
    {"GABON", "GA"},
    {"GAMBIA", "GM"},
    {"GEORGIA", "GE"},
    {"GHANA", "GH"},
    {"GIBRALTAR", "GI"},
    {"GREECE", "GR"},
    {"GREENLAND", "GL"},
    {"GRENADA", "GD"},
    {"GUADELOUPE", "GP"},
    {"GUAM", "GU"},
    {"GUATEMALA", "GT"},
    {"GUINEA", "GN"},
    {"GUINEA-BISSAU", "GW"},
    {"GUYANA", "GY"},
    {"HAITI", "HT"},
    {"HEARD AND MC DONALD ISLANDS", "HM"},
    {"HONDURAS", "HN"},
    {"HONG KONG", "HK"},
    {"HUNGARY", "HU"},
    {"ICELAND", "IS"},
    {"INDIA", "IN"},
    {"INDONESIA", "ID"},
    {"IRAN (ISLAMIC REPUBLIC OF)", "IR"},
    {"IRAQ", "IQ"},
    {"IRELAND", "IE"},
    {"ISRAEL", "IL"},
    {"JAMAICA", "JM"},
    {"JORDAN", "JO"},
    {"KAZAKHSTAN", "KZ"},
    {"KENYA", "KE"},
    {"KIRIBATI", "KI"},
    {"KOREA, DEMOCRATIC PEOPLE'S REPUBLIC OF", "KP"},
    {"KOREA, REPUBLIC OF", "KR"},
    {"KUWAIT", "KW"},
    {"KYRGYZSTAN", "KG"},
    {"LAO PEOPLE'S DEMOCRATIC REPUBLIC", "LA"},
    {"LATVIA", "LV"},
    {"LEBANON", "LB"},
    {"LESOTHO", "LS"},
    {"LIBERIA", "LR"},
    {"LIBYAN ARAB JAMAHIRIYA", "LY"},
    {"LIECHTENSTEIN", "LI"},
    {"LITHUANIA", "LT"},
    {"LUXEMBOURG", "LU"},
    {"MACAU", "MO"},
    {"MACEDONIA, THE FORMER YUGOSLAV REPUBLIC OF", "MK"},
    {"MADAGASCAR", "MG"},
    {"MALAWI", "MW"},
    {"MALAYSIA", "MY"},
    {"MALDIVES", "MV"},
    {"MALI", "ML"},
    {"MALTA", "MT"},
    {"MARSHALL ISLANDS", "MH"},
    {"MARTINIQUE", "MQ"},
    {"MAURITANIA", "MR"},
    {"MAURITIUS", "MU"},
    {"MAYOTTE", "YT"},
    {"MICRONESIA, FEDERATED STATES OF", "FM"},
    {"MOLDOVA, REPUBLIC OF", "MD"},
    {"MONACO", "MC"},
    {"MONGOLIA", "MN"},
    {"MONTSERRAT", "MS"},
    {"MOROCCO", "MA"},
    {"MOZAMBIQUE", "MZ"},
    {"MYANMAR", "MM"},
    {"NAMIBIA", "NA"},
    {"NAURU", "NR"},
    {"NEPAL", "NP"},
    {"NETHERLANDS", "NL"},
    {"NETHERLANDS ANTILLES", "AN"},
    {"NEW CALEDONIA", "NC"},
    {"NEW ZEALAND", "NZ"},
    {"NICARAGUA", "NI"},
    {"NIGER", "NE"},
    {"NIGERIA", "NG"},
    {"NIUE", "NU"},
    {"NORFOLK ISLAND", "NF"},
    {"NORTHERN MARIANA ISLANDS", "MP"},
    {"NORWAY", "NO"},
    {"OMAN", "OM"},
    {"PAKISTAN", "PK"},
    {"PALAU", "PW"},
    {"PANAMA", "PA"},
    {"PAPUA NEW GUINEA", "PG"},
    {"PARAGUAY", "PY"},
    {"PERU", "PE"},
    {"PHILIPPINES", "PH"},
    {"PITCAIRN", "PN"},
    {"POLAND", "PL"},
    {"PORTUGAL", "PT"},
    {"PUERTO RICO", "PR"},
    {"QATAR", "QA"},
    {"REUNION", "RE"},
    {"ROMANIA", "RO"},
    {"RUSSIAN FEDERATION", "RU"},
    {"RWANDA", "RW"},
    {"SAINT KITTS AND NEVIS", "KN"},
    {"SAINT LUCIA", "LC"},
    {"SAINT VINCENT AND THE GRENADINES", "VC"},
    {"SAMOA", "WS"},
    {"SAN MARINO", "SM"},
    {"SAO TOME AND PRINCIPE", "ST"},
    {"SAUDI ARABIA", "SA"},
    {"SENEGAL", "SN"},
    {"SEYCHELLES", "SC"},
    {"SIERRA LEONE", "SL"},
    {"SINGAPORE", "SG"},
    {"SLOVAKIA (Slovak Republic)", "SK"},
    {"SLOVENIA", "SI"},
    {"SOLOMON ISLANDS", "SB"},
    {"SOMALIA", "SO"},
    {"SOUTH AFRICA", "ZA"},
    {"SOUTH GEORGIA AND THE SOUTH SANDWICH ISLANDS", "GS"},
    {"SPAIN", "ES"},
    {"SRI LANKA", "LK"},
    {"ST. HELENA", "SH"},
    {"ST. PIERRE AND MIQUELON", "PM"},
    {"SUDAN", "SD"},
    {"SURINAME", "SR"},
    {"SVALBARD AND JAN MAYEN ISLANDS", "SJ"},
    {"SWAZILAND", "SZ"},
    {"SWEDEN", "SE"},
    {"SWITZERLAND", "CH"},
    {"SYRIAN ARAB REPUBLIC", "SY"},
    {"TAIWAN, PROVINCE OF CHINA", "TW"},
    {"TAJIKISTAN", "TJ"},
    {"TANZANIA, UNITED REPUBLIC OF", "TZ"},
    {"THAILAND", "TH"},
    {"TOGO", "TG"},
    {"TOKELAU", "TK"},
    {"TONGA", "TO"},
    {"TRINIDAD AND TOBAGO", "TT"},
    {"TUNISIA", "TN"},
    {"TURKEY", "TR"},
    {"TURKMENISTAN", "TM"},
    {"TURKS AND CAICOS ISLANDS", "TC"},
    {"TUVALU", "TV"},
    {"UGANDA", "UG"},
    {"UKRAINE", "UA"},
    {"UNITED ARAB EMIRATES", "AE"},
    {"UNITED STATES", "US"},
    {"UNITED STATES MINOR OUTLYING ISLANDS", "UM"},
    {"URUGUAY", "UY"},
    {"UZBEKISTAN", "UZ"},
    {"VANUATU", "VU"},
    {"VATICAN CITY STATE (HOLY SEE)", "VA"},
    {"VENEZUELA", "VE"},
    {"VIET NAM", "VN"},
    {"VIRGIN ISLANDS (BRITISH)", "VG"},
    {"VIRGIN ISLANDS (U.S.)", "VI"},
    {"WALLIS AND FUTUNA ISLANDS", "WF"},
    {"WESTERN SAHARA", "EH"},
    {"YEMEN", "YE"},
    {"YUGOSLAVIA", "YU"},
    {"ZAIRE", "ZR"},
    {"ZAMBIA", "ZM"},
    {"ZIMBABWE", "ZW"},
    {"NO COUNTRY", "ZZ"},
    {"", ""}, // end marker
};

static_assert(std::size(g_countryRows) == 242, "240 countries, NO COUNTRY and the end marker");

const QxCountryInfo* rows()
{
    // Built on first use, so the table is ready whatever the order of
    // static initialisation; kept until exit.
    static const QxCountryInfo* table = [] {
        auto* built = new QxCountryInfo[std::size(g_countryRows)];
        for (size_t i = 0; i < std::size(g_countryRows); ++i) {
            built[i].name = wxString(g_countryRows[i].name);
            std::memset(built[i].code, 0, sizeof built[i].code);
            std::strncpy(built[i].code, g_countryRows[i].code, 2);
        }
        return built;
    }();
    return table;
}

// Ready before main, like any static table.
const bool g_countriesReady = (rows(), true);

} // namespace

const QxCountryInfo& QxCountryInfoTable::getCountryInfoFromId(QxCountryID id)
{
    if (id < 0 || id > kNoCountry)
        id = kNoCountry;
    return rows()[id];
}

const QxCountryInfo& QxCountryInfoTable::getCountryInfoAt(unsigned index)
{
    if (index > static_cast<unsigned>(kNoCountry))
        index = kNoCountry;
    return rows()[index];
}

unsigned QxCountryInfoTable::getNumCountry()
{
    return kNoCountry;
}

wxString QxCountryInfoTable::getCountryNameFromCode(const char* code)
{
    if (code) {
        for (const QxCountryInfo* row = rows(); row->code[0] != '\0'; ++row)
            if (std::strcmp(row->code, code) == 0)
                return row->name;
    }
    return rows()[kNoCountry].name;
}
