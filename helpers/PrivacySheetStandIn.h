#pragma once

// The hidden window of the privacy sheet stand-in started with "later": WM_APP posted
// to it opens the sheet.
inline constexpr char kLaterWindowTitle[] = "Quillmere privacy sheet stand-in";
