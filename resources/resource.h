// Resource ids shared by kx_shell.rc and the C++ sources. Plain macros only:
// the resource compiler reads this file too.
#ifndef KX_SHELL_RESOURCE_H
#define KX_SHELL_RESOURCE_H

// Id 1: the lowest icon id, so Explorer shows it as the program's icon.
#define IDI_APP 1

#endif
