#pragma once

#define IDI_QUILLMERE 1
#define IDB_TOOLBAR 100
