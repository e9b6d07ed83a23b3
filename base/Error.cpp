#include "base/Error.h"

std::string Error::describe() const {
    std::string where = path.empty() && line > 0 ? "line" : path;
    if (line > 0) {
        where += (path.empty() ? " " : ":") + std::to_string(line);
        if (column > 0) {
            where += ":" + std::to_string(column);
        }
    }
    return where.empty() ? reason : where + ": " + reason;
}
