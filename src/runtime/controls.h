// SPDX-License-Identifier: MIT
#pragma once

// The controls of the form runtime.
#include "color.h"
#include "commandbutton.h"
#include "handler.h"
#include "label.h"
#include "line.h"
#include "picturebox.h"
#include "scrollbar.h"
#include "shapecontrol.h"
#include "textbox.h"
