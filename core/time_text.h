#pragma once
// TimeText: a start time in milliseconds as "hh:mm:ss:mmm".

#include <string>

namespace zav {

// Hours, minutes and seconds with at least two digits, milliseconds with at least
// three; the fraction of a millisecond is cut off. Hours of 100 or more take as many
// digits as they need. Values of 0 or less in a field are written as zeros, so any
// negative time reads 00:00:00:000.
std::string formatTimeText(double ms);

}  // namespace zav
