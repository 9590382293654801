#pragma once

// The editor builds and drops designs of a hundred thousand small elements at a time (load,
// paste, undo). Memory handed back to the system must be mapped and zeroed afresh when the
// next design is built, which costs more than building it, so the editor keeps what it freed
// for reuse, large blocks (a program text on the clipboard) included.
void KeepFreedMemoryForReuse();
