// The identifiers of the Windows resources, for the resource scripts and the code alike.
#ifndef PRINCE_RESOURCEIDS_H
#define PRINCE_RESOURCEIDS_H

// The program's icon, in every size it carries.
#define IDI_PRINCE_TRIALS 1
// The application manifest: the number Windows looks for in an executable.
#define IDR_MANIFEST 1

#endif
