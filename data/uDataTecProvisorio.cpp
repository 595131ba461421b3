// PROVISORIO: removed when the header's rules land.
#include "data/uDataTec.h"
void TdmTec::OSSalvarMotivoAlteracao(const QString&, int) {}
void TdmTec::OSSalvaAtualiza() {}
