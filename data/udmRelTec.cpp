#include "data/udmRelTec.h"

host::data::DataModuleVar<TDmRelTec> DmRelTec("DmRelTec");

TDmRelTec::TDmRelTec(host::Component* owner) : host::data::DataModule(owner, "DmRelTec") {}

TDmRelTec::~TDmRelTec() = default;
