// Helpers of the script editor's window-free model tests: the store's lines as plain strings.
#pragma once

#include <string>
#include <vector>

#include "coloreditmodel.h"

namespace scriptmodel_test {

typedef std::vector<std::string> L;

inline std::vector<std::string> Lines(const CColorEditModel& m)
{
    std::vector<std::string> lines;
    for (int i = 0; i < m.GetLineCount(); ++i) {
        const CString& line = m.GetLineRef(i);
        lines.emplace_back(line.GetString(), line.GetLength());
    }
    return lines;
}

} // namespace scriptmodel_test
