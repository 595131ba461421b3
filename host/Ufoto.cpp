#include "host/Ufoto.h"

#include "host/data/DataSource.h"
#include "host/ui/DataTextControls.h"
#include "host/ui/Form.h"
#include "host/ui/Layouts.h"

#include <QVBoxLayout>

void MostrarImagemCampo(host::data::DataSource* fonte, const QString& campo)
{
    if (!fonte || !fonte->dataset())
        return;
    host::ui::Form janela;
    janela.setObjectName("fmFoto");
    janela.setCaption("Foto");
    janela.resize(480, 360);
    auto* imagem = new host::ui::DataImage("dbimFoto", &janela);
    imagem->bind(fonte, campo);
    (new QVBoxLayout(&janela))->addWidget(imagem);
    host::ui::Layouts::restoreWindow(&janela);
    janela.showModal();
    host::ui::Layouts::saveWindow(&janela);
    delete imagem;   // unbound before the caller's source may go
}
