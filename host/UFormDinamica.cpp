#include "host/UFormDinamica.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/data/DataSource.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/data/UpdateSql.h"
#include "host/ui/DataEdit.h"
#include "host/ui/DataTextControls.h"
#include "host/ui/Layouts.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include <stdexcept>

TfmFormDinamica::TfmFormDinamica(QWidget* parent)
    : Form(parent), quRegistro(CriarIbQuery("quRegistro")),
      dsRegistro(std::make_unique<host::data::DataSource>(nullptr, "dsRegistro"))
{
    setObjectName("fmFormDinamica");
    dsRegistro->setDataset(quRegistro.get());
    resize(480, 400);
}

TfmFormDinamica::~TfmFormDinamica()
{
    // The controls listen to the data source: they go first.
    const QObjectList filhos = children();
    for (QObject* filho : filhos)
        if (filho->isWidgetType())
            delete filho;
}

namespace {

std::unique_ptr<host::data::UpdateSql> atualizacao(const QString& tabela, const QStringList& chaves,
                                                   const QStringList& colunas)
{
    QStringList sets, onde;
    for (const QString& coluna : colunas)
        sets << coluna + " = :" + coluna;
    for (const QString& chave : chaves)
        onde << chave + " = :OLD_" + chave;
    auto update = std::make_unique<host::data::UpdateSql>(nullptr, "usRegistro");
    update->setModifySql("update " + tabela + " set " + sets.join(", ") + " where " + onde.join(" and "));
    update->setInsertSql("insert into " + tabela + " (" + colunas.join(", ") + ") values (:" + colunas.join(", :") + ")");
    update->setDeleteSql("delete from " + tabela + " where " + onde.join(" and "));
    return update;
}

void montarCampos(TfmFormDinamica& janela, const QStringList& chaves, const QStringList& captions,
                  bool bSomenteLeitura)
{
    auto* area = new QScrollArea(&janela);
    area->setObjectName("sbCampos");
    area->setWidgetResizable(true);
    auto* corpo = new QWidget(area);
    auto* campos = new QFormLayout(corpo);
    host::data::Query& registro = *janela.quRegistro;
    for (int i = 0; i < registro.fieldCount(); ++i) {
        host::data::Field& campo = *registro.field(i);
        const int chave = chaves.indexOf(campo.fieldName(), Qt::CaseInsensitive);
        const QString titulo = chave >= 0 && chave < captions.size() ? captions.at(chave) : campo.fieldName();
        const QString nome = "dbed" + campo.fieldName();
        if (campo.dataType() == host::data::FieldType::Blob)
            continue;
        if (campo.dataType() == host::data::FieldType::Memo) {
            auto* memo = new host::ui::DataMemo(nome, corpo);
            memo->bind(janela.dsRegistro.get(), campo.fieldName());
            memo->setReadOnlyControl(bSomenteLeitura);
            memo->setMaximumHeight(80);
            campos->addRow(titulo, memo);
        } else {
            auto* edit = new host::ui::DataEdit(nome, corpo);
            edit->bind(janela.dsRegistro.get(), campo.fieldName());
            edit->setReadOnlyControl(bSomenteLeitura || chave >= 0);
            campos->addRow(titulo, edit);
        }
    }
    area->setWidget(corpo);
    janela.layout()->addWidget(area);
}

}  // namespace

bool AbrirFormDinamica(const QString& tabela, const QStringList& chaves, const QStringList& captions,
                       const QVariantList& valores, bool bSomenteLeitura)
{
    if (chaves.isEmpty() || chaves.size() != valores.size())
        throw std::invalid_argument("AbrirFormDinamica: one value per key column");
    auto janela = std::make_unique<TfmFormDinamica>();
    host::data::Query& registro = *janela->quRegistro;
    QStringList onde;
    for (int i = 0; i < chaves.size(); ++i)
        onde << chaves.at(i) + " = :CHAVE" + QString::number(i);
    registro.setSql("select * from " + tabela + " where " + onde.join(" and "));
    for (int i = 0; i < valores.size(); ++i)
        registro.paramByName("CHAVE" + QString::number(i))->setValue(valores.at(i));
    registro.open();
    if (registro.isEmpty()) {
        registro.close();
        dmGlobal->MostraAviso("Registro não encontrado.");
        return false;
    }
    QStringList colunas;
    for (int i = 0; i < registro.fieldCount(); ++i)
        if (registro.field(i)->dataType() != host::data::FieldType::Blob
            && !chaves.contains(registro.field(i)->fieldName(), Qt::CaseInsensitive))
            colunas << registro.field(i)->fieldName();
    auto update = atualizacao(tabela, chaves, colunas);
    registro.setUpdateObject(update.get());

    janela->setCaption("Campos Adicionais - " + tabela.toUpper());
    auto* layout = new QVBoxLayout(janela.get());
    montarCampos(*janela, chaves, captions, bSomenteLeitura);
    auto* botoes = new QHBoxLayout;
    botoes->addStretch();
    auto* gravar = new QPushButton("&Gravar", janela.get());
    gravar->setObjectName("bbGravar");
    gravar->setEnabled(!bSomenteLeitura && !colunas.isEmpty());
    auto* cancelar = new QPushButton("&Cancelar", janela.get());
    cancelar->setObjectName("bbCancelar");
    botoes->addWidget(gravar);
    botoes->addWidget(cancelar);
    layout->addLayout(botoes);
    TfmFormDinamica* form = janela.get();
    QObject::connect(gravar, &QPushButton::clicked, form, [form] { form->setModalResult(host::ui::ModalResult::Ok); });
    QObject::connect(cancelar, &QPushButton::clicked, form,
                     [form] { form->setModalResult(host::ui::ModalResult::Cancel); });
    form->setKeyPreview(true);
    form->onKeyDown = [form](int& key, Qt::KeyboardModifiers) {
        if (key == Qt::Key_Escape) {
            key = 0;
            form->setModalResult(host::ui::ModalResult::Cancel);
        }
    };
    const QString nomeLayout = "fmFormDinamica_" + tabela.toUpper();
    host::ui::Layouts::restoreWindow(form, nomeLayout);
    bool gravado = false;
    try {
        const bool ok = form->showModal() == host::ui::ModalResult::Ok && !bSomenteLeitura;
        host::ui::Layouts::saveWindow(form, nomeLayout);
        if (ok) {
            gravado = registro.editing();
            SalvarAlteracoes(registro);
        } else {
            CancelarAlteracoes(registro);
        }
    } catch (...) {
        CancelarAlteracoes(registro);
        registro.close();
        registro.setUpdateObject(nullptr);
        throw;
    }
    registro.close();
    registro.setUpdateObject(nullptr);
    return gravado;
}
