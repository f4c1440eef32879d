// Resource numbers shared by the resource script and the program.
#ifndef KVTE_RESOURCES_RESOURCE_H
#define KVTE_RESOURCES_RESOURCE_H

#define IDI_MAIN 110
#define IDR_ACCELERATORS 112
#define IDB_TOOLBAR 119
#define IDB_CHECKMARK 147

#endif
