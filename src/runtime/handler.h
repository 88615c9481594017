// SPDX-License-Identifier: MIT
#pragma once

#include <functional>

namespace rt {

// An event handler of a control, run inside the runtime's error boundary.
using Handler = std::function<void()>;

} // namespace rt
