#include "model/ChannelTypeTable.h"

#include <iterator>

namespace {
const char* const kChineseTypes[] = {"无",     "温度",   "湿度",     "PH值", "光照",     "压力",   "电压DC",
                                     "电压AC", "电流DC", "电流AC",   "脉冲", "计数",     "开关量", "Co2",
                                     "雨量",   "风速",   "风向",     "噪音", "氨",       "EC",     "PPB",
                                     "功率",   "CO",     "O2",       "土壤水分", "水分", "土壤温度", "电导率"};
constexpr int kEnglishTypeCount = 24;
}  // namespace

int ChannelTypeCount(Edition edition) {
    return edition == Edition::Chinese ? static_cast<int>(std::size(kChineseTypes)) : kEnglishTypeCount;
}

std::string ChannelTypeNameIn(Edition edition, int code) {
    if (code < 0 || code >= ChannelTypeCount(edition)) return "";
    if (edition == Edition::English) {
        if (code == 1) return "Temperature";
        if (code == 2) return "Humidity";
    }
    return kChineseTypes[code];
}

std::string ChannelTypeName(int code) { return ChannelTypeNameIn(CurrentEdition(), code); }
