#include "runtime/CNimbAppInstance.h"

// Priority 101 is the first that ordinary code may use: the instance is built before, and
// destroyed after, every static object with default priority, in this program and in the
// tests alike.
CNimbAppInstance TheNimbAppInstance __attribute__((init_priority(101)));

CNimbAppInstance::~CNimbAppInstance() = default;
