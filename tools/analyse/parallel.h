// Analysing the lines of a stream on several threads, results in input order.
#pragma once

#include "tools/analyse/analyser.h"

#include <istream>
#include <string_view>

namespace kumoji {

// Reads In to its end and analyses its lines on Jobs threads, each with an
// analyser of its own; Main writes every result and error in input order, so
// the output is the same as Main.AnalyseStream(In, Source) would give.
void AnalyseStreamOnThreads(TAnalyser& Main, const TAnalyseOptions& Options, std::istream& In,
                            std::string_view Source, int Jobs);

} // namespace kumoji
