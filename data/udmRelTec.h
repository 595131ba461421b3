#pragma once
// TDmRelTec, the report data module (global DmRelTec): created on demand by
// the windows that print with it and kept alive afterwards. Its reports and
// their datasets come with the printed documents.

#include "host/data/DataModule.h"

class TDmRelTec : public host::data::DataModule {
public:
    explicit TDmRelTec(host::Component* owner = nullptr);
    ~TDmRelTec() override;
};

extern host::data::DataModuleVar<TDmRelTec> DmRelTec;
