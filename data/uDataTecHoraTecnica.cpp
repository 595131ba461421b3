// The labour-hour types shared by the windows that list them (see the header).

#include "data/uDataTec.h"

#include "host/data/Query.h"

void TdmTec::UsarHoraTecnica(const void* usuario)
{
    if (!usuariosHoraTecnica_.contains(usuario))
        usuariosHoraTecnica_ << usuario;
    if (!quHoraTecnica->active())
        quHoraTecnica->open();
}

void TdmTec::LargarHoraTecnica(const void* usuario)
{
    usuariosHoraTecnica_.removeAll(usuario);
    if (usuariosHoraTecnica_.isEmpty())
        quHoraTecnica->close();
}
