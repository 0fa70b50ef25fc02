#pragma once

#include <string>

#include "builder/show_plan.h"

namespace varnel::cli {

// The plan of a show as a table: one line for the viewer and the picture table, then one
// line per picture written (its number in the list, its file, its fit, its versions, the
// bytes it adds with their alignment bytes, and the running total), ending with the line
// "total N bytes of 33554432" where N is the length of the image.
std::string PlanTable(const SlideshowDocument& document, const ShowPlan& plan);

}  // namespace varnel::cli
