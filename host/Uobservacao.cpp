#include "host/Uobservacao.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/data/DataSource.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/ui/DataTextControls.h"
#include "host/ui/Layouts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <functional>
#include <stdexcept>

TfmObservacao::TfmObservacao(QWidget* parent)
    : Form(parent), dsObservacao(std::make_unique<host::data::DataSource>(nullptr, "dsObservacao"))
{
    setObjectName("fmObservacao");
    setCaption("Observação");
    auto* layout = new QVBoxLayout(this);
    dbmeObservacao = new host::ui::DataMemo("dbmeObservacao", this);
    dbmeObservacao->setDataSource(dsObservacao.get());
    layout->addWidget(dbmeObservacao);
    auto* botoes = new QHBoxLayout;
    laTamanho = new QLabel(this);
    laTamanho->setObjectName("laTamanho");
    laTamanho->hide();
    botoes->addWidget(laTamanho);
    botoes->addStretch();
    bbGravar = new QPushButton("&Gravar", this);
    bbGravar->setObjectName("bbGravar");
    bbCancelar = new QPushButton("&Cancelar", this);
    bbCancelar->setObjectName("bbCancelar");
    botoes->addWidget(bbGravar);
    botoes->addWidget(bbCancelar);
    layout->addLayout(botoes);
    connect(bbGravar, &QPushButton::clicked, this, [this] { setModalResult(host::ui::ModalResult::Ok); });
    connect(bbCancelar, &QPushButton::clicked, this, [this] { setModalResult(host::ui::ModalResult::Cancel); });
    connect(dbmeObservacao, &QPlainTextEdit::textChanged, this, [this] { limitarTexto(); });
    setKeyPreview(true);
    onKeyDown = [this](int& key, Qt::KeyboardModifiers shift) {
        if (key == Qt::Key_Escape) {
            key = 0;
            setModalResult(host::ui::ModalResult::Cancel);
        } else if ((key == Qt::Key_Return || key == Qt::Key_Enter) && (shift & Qt::ControlModifier)) {
            key = 0;
            setModalResult(host::ui::ModalResult::Ok);
        }
    };
    resize(520, 320);
}

TfmObservacao::~TfmObservacao()
{
    // The memo still listens to the data source.
    delete dbmeObservacao;
}

void TfmObservacao::setTamanhoMaximo(int tamanho)
{
    tamanhoMaximo_ = std::max(0, tamanho);
    laTamanho->setVisible(tamanhoMaximo_ > 0);
    limitarTexto();
}

void TfmObservacao::limitarTexto()
{
    if (tamanhoMaximo_ <= 0)
        return;
    const QString texto = dbmeObservacao->toPlainText();
    if (texto.size() > tamanhoMaximo_) {
        const QSignalBlocker bloqueio(dbmeObservacao);
        dbmeObservacao->setPlainText(texto.left(tamanhoMaximo_));
        dbmeObservacao->moveCursor(QTextCursor::End);
    }
    laTamanho->setText(QString("%1 de %2 caracteres").arg(std::min<int>(texto.size(), tamanhoMaximo_)).arg(tamanhoMaximo_));
}

namespace {

QString textoGuardado(host::data::Query& observacao, const QString& campo)
{
    return observacao.isEmpty() ? QString() : observacao.fieldByName(campo)->asString();
}

// What "Gravar" stores: the text typed, or, when another desk saved the
// note while the editor was open, that desk's text followed by this one's.
QString textoAGravar(const QString& aberto, const QString& agora, const QString& digitado)
{
    if (agora == aberto || agora.trimmed().isEmpty() || agora == digitado)
        return digitado;
    if (digitado.trimmed().isEmpty())
        return agora;
    return agora + "\r\n" + digitado;
}

// Stores the typed text over the note as it is stored now (the query read
// again): true when a row was written.
bool gravarObservacao(host::data::Query& observacao, const QString& campo, const QString& aberto,
                      const QString& digitado, const std::function<void()>& chave)
{
    if (digitado == aberto)
        return false;
    CancelarAlteracoes(observacao);
    observacao.close();
    observacao.open();
    const QString agora = textoGuardado(observacao, campo);
    const QString texto = textoAGravar(aberto, agora, digitado);
    if (observacao.isEmpty()) {
        if (texto.isEmpty())
            return false;
        observacao.append();
        chave();
    } else if (texto == agora) {
        return false;
    } else {
        observacao.edit();
    }
    observacao.fieldByName(campo)->setAsString(texto);
    SalvarAlteracoes(observacao);
    return true;
}

}  // namespace

bool TdmGlobal::InserirObservacaoAdicional(const QString& campo, const QString& codigo, const QString& id,
                                           int sequencia, host::data::Query* query, bool bSomenteLeitura,
                                           int iTamanhoMaximo, const QString& caption)
{
    if (!query)
        throw std::invalid_argument("InserirObservacaoAdicional: the observation query is the caller's");
    host::data::Query& observacao = *query;
    observacao.checkBrowseMode();
    observacao.close();
    observacao.paramByName("obCodigo")->setAsString(codigo.trimmed());
    observacao.paramByName("obId")->setAsString(id.trimmed());
    observacao.paramByName("obSequencia")->setAsInteger(sequencia);
    observacao.open();
    // Another desk may save the same note while this editor is open.
    const QString aberto = textoGuardado(observacao, campo);

    auto janela = std::make_unique<TfmObservacao>();
    janela->setCaption(caption.trimmed().isEmpty() ? QString("Observação Adicional") : caption);
    janela->dsObservacao->setDataset(&observacao);
    janela->dbmeObservacao->setDataField(campo);
    janela->dbmeObservacao->setReadOnlyControl(bSomenteLeitura);
    janela->bbGravar->setEnabled(!bSomenteLeitura);
    janela->setTamanhoMaximo(iTamanhoMaximo);
    host::ui::Layouts::restoreWindow(janela.get());
    bool gravado = false;
    try {
        const bool ok = janela->showModal() == host::ui::ModalResult::Ok && !bSomenteLeitura;
        host::ui::Layouts::saveWindow(janela.get());
        if (ok) {
            janela->dbmeObservacao->commit();
            const QString digitado = janela->dbmeObservacao->text();
            janela->dsObservacao->setDataset(nullptr);
            gravado = gravarObservacao(observacao, campo, aberto, digitado, [&] {
                observacao.fieldByName("OBCODIGO")->setAsString(codigo.trimmed());
                observacao.fieldByName("OBID")->setAsString(id.trimmed());
                observacao.fieldByName("OBSEQUENCIA")->setAsInteger(sequencia);
            });
        } else {
            CancelarAlteracoes(observacao);
        }
    } catch (...) {
        janela->dsObservacao->setDataset(nullptr);
        CancelarAlteracoes(observacao);
        observacao.close();
        throw;
    }
    janela->dsObservacao->setDataset(nullptr);
    observacao.close();
    return gravado;
}

bool TdmGlobal::InserirObservacaoMemo(host::data::Dataset* dataset, int, const QString& campo,
                                      const QString& caption, bool bSomenteLeitura)
{
    if (!dataset || !dataset->active())
        return false;
    host::data::Field* memo = dataset->fieldByName(campo);
    const QVariant anterior = memo->value();
    const bool estavaEditando = dataset->editing();
    auto janela = std::make_unique<TfmObservacao>();
    janela->setCaption(caption);
    janela->dsObservacao->setDataset(dataset);
    janela->dbmeObservacao->setDataField(campo);
    janela->dbmeObservacao->setReadOnlyControl(bSomenteLeitura);
    janela->bbGravar->setEnabled(!bSomenteLeitura);
    host::ui::Layouts::restoreWindow(janela.get(), "fmObservacaoMemo");
    bool ok = false;
    try {
        ok = janela->showModal() == host::ui::ModalResult::Ok && !bSomenteLeitura;
        host::ui::Layouts::saveWindow(janela.get(), "fmObservacaoMemo");
        if (ok) {
            janela->dbmeObservacao->commit();
            const QString texto = janela->dbmeObservacao->text();
            if (memo->asString() != texto) {
                if (!dataset->editing())
                    dataset->edit();
                memo->setAsString(texto);
            }
        } else if (dataset->editing() && memo->value() != anterior) {
            memo->setValue(anterior);
            if (!estavaEditando && !dataset->modified())
                dataset->cancel();
        }
    } catch (...) {
        janela->dsObservacao->setDataset(nullptr);
        throw;
    }
    janela->dsObservacao->setDataset(nullptr);
    return ok;
}
