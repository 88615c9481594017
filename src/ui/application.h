// SPDX-License-Identifier: MIT
#pragma once

namespace ui {

// What the program sets before its QApplication exists.
void prepareApplication();

// What the program sets on its QApplication before the first window: its
// names, version and style.
void setUpApplication();

} // namespace ui
