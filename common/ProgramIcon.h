#pragma once

// The program's icon among its resources: the windows' icons and the help window's
// picture. The resource compiler reads this file too, so it holds only #defines.
#define IDI_QUILLMERE 1
