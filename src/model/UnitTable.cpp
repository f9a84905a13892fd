#include "model/UnitTable.h"

UnitTable::UnitTable()
    : units_{{0, ""},      {1, "℃"},      {2, "×100度"}, {3, "千度"}, {4, "%RH"},  {5, "PH值"},
             {6, "KLux"},  {7, "MPa"},     {8, "KPa"},      {9, "Pa"},   {10, "KV"},  {11, "V"},
             {12, "mV"},   {13, "A"},      {14, "mA"},      {15, "次数"}, {16, "PPM"}, {17, "10PPM"},
             {18, "KPPM"}, {19, "立方米/小时"}, {20, "米/秒"}, {21, "弧度"}, {22, "分贝"}, {32, "℉"},
             {42, "KV"},   {43, "V"},      {44, "mV"},      {45, "A"},   {46, "mA"}} {}

std::string UnitTable::Lookup(int code) {
    std::lock_guard<std::mutex> lock(mutex_);
    return units_[code];
}

bool UnitTable::Contains(int code) const {
    std::lock_guard<std::mutex> lock(mutex_);
    return units_.count(code) != 0;
}

size_t UnitTable::Size() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return units_.size();
}
