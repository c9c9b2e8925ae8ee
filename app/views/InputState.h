#pragma once

// Whether captured blocks still arrive. While they do not, the views show
// their floor rather than the last reading as if it were current.
enum class InputState { Stopped, Live };
