#pragma once

// The program's own cursors among its resources. The resource compiler reads this
// file too, so it holds only #defines.
#define IDC_LINK_HAND 8019  // a pointing hand over links, its hot spot at (10, 5)
