#include "support/errors.h"

// The error classes are header-only; this unit keeps their vtables in one place.
namespace tetsuro {
}  // namespace tetsuro
