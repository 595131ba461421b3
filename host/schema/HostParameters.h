#pragma once
// The host's parameter record (dmGlobal's ATxxx fields) is kept as rows of
// PARAMETROS (NOME, VALOR): one row per field, the value as text. A field
// without a row reads as empty, which every rule treats as "not set".

#include <vector>

namespace host::schema {

inline constexpr const char* kParameterTable = "PARAMETROS";

struct ParameterDefault {
    const char* name;
    const char* value;   // numbers in C locale ("0.80")
};

// Every parameter field the module and the host's own routines read, with the
// value a new installation gets.
const std::vector<ParameterDefault>& parameterDefaults();

}  // namespace host::schema
