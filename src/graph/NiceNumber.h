#pragma once

#include <cmath>

namespace brantel {

// A number of the form 1, 2 or 5 times a power of 10 near x > 0, for the
// steps of a chart's axis: the first at or above x (ceiling), or the
// nearest to x.
inline double NiceNumber(double x, bool ceiling) {
  const double z = std::pow(10.0, std::floor(std::log10(x)));
  const double q = x / z;
  double nice = 10;
  if (ceiling) {
    if (q <= 1.0) nice = 1;
    else if (q <= 2.0) nice = 2;
    else if (q <= 5.0) nice = 5;
  } else {
    if (q < 1.5) nice = 1;
    else if (q < 3.0) nice = 2;
    else if (q < 7.0) nice = 5;
  }
  return nice * z;
}

}  // namespace brantel
