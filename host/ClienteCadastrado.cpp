#include "host/ClienteCadastrado.h"

#include "host/Udmglobal.h"
#include "host/data/DataSource.h"
#include "host/data/Field.h"
#include "host/db/Database.h"

namespace host {

bool ClienteCadastrado(const QString& codigo)
{
    host::db::Statement& st =
        dmGlobal->ComandoPreparado("select 1 from AUGC0301 where CODIGO_CLIENTE = :C");
    st.setParam("C", codigo.trimmed());
    st.execute();
    const bool existe = st.fetch();
    if (existe)
        st.closeCursor();
    return existe;
}

void ExigeClienteCadastrado(host::data::Field& campo, const QString& rotulo)
{
    const host::data::Handler<void(host::data::Field&)> propria = campo.onValidate;
    campo.onValidate = [propria, rotulo](host::data::Field& f) {
        const QString codigo = f.asString().trimmed();
        if (!codigo.isEmpty() && !ClienteCadastrado(codigo)) {
            // The caption of the box the user typed in: one field is
            // "Cliente" in one register and "Cliente (Cobrança)" in another.
            const QString mostrado = host::data::shownCaption(f);
            dmGlobal->MostraAviso((mostrado.isEmpty() ? rotulo : mostrado) + ": código " + codigo + " não cadastrado.",
                                  true);
        }
        if (propria)
            propria(f);
    };
}

}  // namespace host
