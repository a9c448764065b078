#include "reader/model/EditingLog.hpp"

#include "reader/model/ApplicationID.hpp"

#include <glib.h>

namespace reader {

// The message level is the one the journal keeps without being asked to.
void logEnterEditing(int line) {
    g_log_structured(applicationID, G_LOG_LEVEL_MESSAGE, "CATEGORY", "editing", "MESSAGE",
                     "enter editing at line %ld", static_cast<long>(line));
}

void logLeaveEditing(int line) {
    g_log_structured(applicationID, G_LOG_LEVEL_MESSAGE, "CATEGORY", "editing", "MESSAGE",
                     "leave editing at line %ld", static_cast<long>(line));
}

} // namespace reader
