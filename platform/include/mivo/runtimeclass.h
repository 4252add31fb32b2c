// Telling a registered run-time class from any other pointer-sized value.
#pragma once

struct CRuntimeClass;

namespace mivo {

// The run-time class `candidate` points at when it is one that registered itself,
// else null. Only the address is compared, never read through: a number, a
// freed block or a copy of a class record is safe to ask about and is refused.
CRuntimeClass* FindRegisteredClass(const void* candidate);

}  // namespace mivo
