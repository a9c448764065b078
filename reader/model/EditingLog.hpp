#pragma once

namespace reader {

/// Records in the system log, category "editing", that the window entered editing at the line.
void logEnterEditing(int line);
/// Records in the system log, category "editing", that the window left editing at the line.
void logLeaveEditing(int line);

} // namespace reader
