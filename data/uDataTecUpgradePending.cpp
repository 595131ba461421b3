// Placeholder for the schema upgrade until its own source file arrives: the
// creation and before-open handlers change nothing.

#include "data/uDataTec.h"

void TdmTec::DataModuleCreate() {}

void TdmTec::quContratoBeforeOpen(host::data::Dataset&) {}

void TdmTec::quOSContatoBeforeOpen(host::data::Dataset&) {}
