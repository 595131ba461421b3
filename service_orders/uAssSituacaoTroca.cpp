#include "service_orders/uAssSituacaoTroca.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/Upesqgeral.h"
#include "host/data/Abort.h"
#include "host/data/DataSource.h"
#include "host/ui/Components.h"
#include "host/ui/DataEdit.h"
#include "host/ui/DataLookupCombo.h"
#include "host/ui/Dialogs.h"
#include "host/ui/Errors.h"
#include "host/data/Field.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QEventLoop>
#include <QTime>
#include <QVBoxLayout>

using host::ui::named;

host::ui::FormVar<TfmAssSituacaoTroca> fmAssSituacaoTroca("fmAssSituacaoTroca");
bool bOk = false;
int iTrocaSituacaoCodigo = 0;

namespace {

// The technician's code answers a click (it opens the technicians' search).
class RotuloClicavel : public QLabel {
public:
    using QLabel::QLabel;
    std::function<void()> onClick;

protected:
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        QLabel::mouseReleaseEvent(event);
        if (onClick)
            host::ui::runGuarded(onClick);
    }
};

const QString kHoraVazia = "  :  ";
const QString kMascaraHora = "!99:99;1;_";

// A time typed in a masked field; null when left empty. Text that is no time
// ends the confirmation before anything is written.
QVariant horaDigitada(const host::ui::DataEdit& campo)
{
    const QString texto = campo.text();
    if (texto == kHoraVazia || texto.trimmed() == ":" || texto.trimmed().isEmpty())
        return {};
    const QTime hora = QTime::fromString(texto.trimmed(), "hh:mm");
    if (!hora.isValid())
        dmGlobal->MostraErro("'" + texto + "' não é uma hora válida");
    return QDateTime(host::data::diaZero(), hora);
}

bool trocaPorItem()
{
    return dmGlobal->Parametro("ATTROCASITUACAOITEM") == "I" && dmTec->quPesqOS->active();
}

}  // namespace

TfmAssSituacaoTroca::TfmAssSituacaoTroca(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Troca de Situação");
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
    onShow = [this] { FormActivate(); };

    situacoes_ = std::make_unique<host::data::DataSource>(nullptr, "dsSituacao", dmTec ? dmTec->quOSSituacao : nullptr);
    dsSituacao = situacoes_.get();
    auto* layout = new QVBoxLayout(this);

    auto* tecnico = new QHBoxLayout;
    auto* codigoTecnico = named<RotuloClicavel>("laCodTec", this);
    codigoTecnico->onClick = [this] { laCodTecClick(); };
    laCodTec = codigoTecnico;
    laNomeTec = named<QLabel>("laNomeTec", this);
    tecnico->addWidget(new QLabel("Técnico:", this));
    tecnico->addWidget(laCodTec);
    tecnico->addWidget(laNomeTec, 1);
    layout->addLayout(tecnico);

    auto* atual = new QHBoxLayout;
    laCodSitAtual = named<QLabel>("laCodSitAtual", this);
    laSitAtual = named<QLabel>("laSitAtual", this);
    atual->addWidget(new QLabel("Situação Atual:", this));
    atual->addWidget(laCodSitAtual);
    atual->addWidget(laSitAtual, 1);
    layout->addLayout(atual);

    gbSituacao = named<QGroupBox>("gbSituacao", this);
    auto* situacao = new QVBoxLayout(gbSituacao);
    laTroca = named<QLabel>("laTroca", QString("Nova Situação:"), gbSituacao);
    dblcSituacao = new host::ui::DataLookupCombo("dblcSituacao", gbSituacao);
    dblcSituacao->setListSource(dsSituacao);
    dblcSituacao->setKeyField("ASCODIGO");
    dblcSituacao->setListField("ASDESCRICAO");
    situacao->addWidget(laTroca);
    situacao->addWidget(dblcSituacao);
    layout->addWidget(gbSituacao);

    auto* laudo = named<QGroupBox>("gbLaudo", this);
    laudo->setTitle("Laudo da Situação");
    auto* laudoLayout = new QVBoxLayout(laudo);
    meLaudo = named<QPlainTextEdit>("meLaudo", laudo);
    laudoLayout->addWidget(meLaudo);
    layout->addWidget(laudo, 1);

    gbHoras = named<QWidget>("gbHoras", this);
    auto* horas = new QFormLayout(gbHoras);
    horas->setContentsMargins(0, 0, 0, 0);
    mdHoraInicial = new host::ui::DataEdit("mdHoraInicial", this);
    mdHoraInicial->setEditMask(kMascaraHora);
    mdHoraFinal = new host::ui::DataEdit("mdHoraFinal", this);
    mdHoraFinal->setEditMask(kMascaraHora);
    horas->addRow("Hora Inicial:", mdHoraInicial);
    horas->addRow("Hora Final:", mdHoraFinal);
    layout->addWidget(gbHoras);
    laTempo = named<QLabel>("laTempo", QString("00:00:00"), this);
    laTempo->hide();
    layout->addWidget(laTempo);

    paBotoes = named<QWidget>("paBotoes", this);
    auto* botoes = new QHBoxLayout(paBotoes);
    botoes->setContentsMargins(0, 0, 0, 0);
    bbOk = named<QPushButton>("bbOk", QString("&Ok"), this);
    bbCancelar = named<QPushButton>("bbCancelar", QString("&Cancelar"), this);
    botoes->addStretch(1);
    botoes->addWidget(bbOk);
    botoes->addWidget(bbCancelar);
    layout->addWidget(paBotoes);

    addTimer("tiTempo", 1000, [this] { tiTempoTimer(); });

    connect(bbOk, &QPushButton::clicked, this, [this] { host::ui::runGuarded([this] { bbOkClick(); }); });
    connect(bbCancelar, &QPushButton::clicked, this, [this] {
        respondido_ = true;
        close();
    });
    onCloseQuery = [this](bool& podeFechar) { perguntarAoFechar(podeFechar); };
    host::ui::watchFocus(meLaudo, {}, [this] {
        const QString maiusculo = meLaudo->toPlainText().toUpper();
        if (maiusculo != meLaudo->toPlainText())
            meLaudo->setPlainText(maiusculo);
    });
}

TfmAssSituacaoTroca::~TfmAssSituacaoTroca() = default;

void TfmAssSituacaoTroca::fixarOrdemMostrada()
{
    const int item = itemDaTroca();
    ordem_ = ordem();
    item_ = item;
}

int TfmAssSituacaoTroca::ordem() const
{
    if (ordem_ >= 0)
        return ordem_;
    return dmTec->quOS->active() ? dmTec->quOSAOCODIGO->asInteger() : 0;
}

// The item of the change when situations are kept per item.
int TfmAssSituacaoTroca::itemDaTroca() const
{
    if (ordem_ >= 0)
        return item_;
    if (!trocaPorItem())
        return 0;
    const host::data::Field* item = dmTec->quPesqOS->findField("AOITCODIGO");
    return item ? item->asInteger() : 0;
}

int TfmAssSituacaoTroca::situacaoEscolhida() const
{
    if (dblcSituacao->isHidden())
        return 0;
    const int escolhida = dblcSituacao->keyValue().toInt();
    return escolhida > 0 ? escolhida : 0;
}

// The dialog is about its order (fixed when opened, else the one shown in
// quOS): without one there is nothing to load.
void TfmAssSituacaoTroca::FormActivate()
{
    if (!dmTec || (ordem_ < 0 && !dmTec->quOS->active()))
        return;
    const QString tecnico = laCodTec->text().trimmed();
    if (!tecnico.isEmpty())
        laNomeTec->setText(CarregaDado("ATNOME", "AATC06AT", "where atcodigo = " + QuotedStr(tecnico)));
    QString atual;
    const host::data::Field* situacaoItem =
        ordem_ < 0 && trocaPorItem() ? dmTec->quPesqOS->findField("ASCODIGO_Item") : nullptr;
    if (situacaoItem && situacaoItem->asInteger() > 0)
        atual = situacaoItem->asString();
    else if (item_ > 0)
        atual = CarregaDado("asCodigo", "aatc01aoit", "where aoitcodigo = " + QString::number(item_));
    if (atual.trimmed().isEmpty() || atual == "0")
        atual = CarregaDado("asCodigo", "aatc01ao", "where aocodigo = " + QuotedStr(QString::number(ordem())));
    if (atual.trimmed().isEmpty())
        atual = "1";
    laCodSitAtual->setText(atual);
    laSitAtual->setText(CarregaDado("asDescricao", "aatc01as", "where ascodigo = " + atual));
}

void TfmAssSituacaoTroca::laCodTecClick()
{
    QString codigo, nome, ignorado;
    if (!SelecionaPesquisaGeral(74, "atCodigo", "atNome", "atNome", codigo, nome, ignorado))
        return;
    laCodTec->setText(codigo);
    laNomeTec->setText(nome);
}

void TfmAssSituacaoTroca::tiTempoTimer()
{
    const QString origem = "[TfmAssSituacaoTroca.tiTempoTimer]";
    dmGlobal->Log(origem, "***INICIO");
    if (!laTempo->isHidden())
        laTempo->setText(QTime::currentTime().toString("hh:mm:ss"));
    dmGlobal->Log(origem, "***FIM");
}

// Technicians may be barred from changing situations, or asked the
// protected-operation password for a dead one.
void TfmAssSituacaoTroca::verificarPermissao(int situacao)
{
    if (UsuarioMestre())
        return;
    const QString permissao =
        CarregaDado("ATALTERARSITUACAO", "AATC06AT", "WHERE UPPER(ATNOME) = " + QuotedStr(IbUserName().toUpper()));
    if (permissao == "N")
        dmGlobal->MostraAviso("Usuário logado não tem permissão para alterar Situação da Ordem de Serviço", true);
    if (permissao == "E" && LerSituacaoOS(situacao).tipo == "M" &&
        !VerificaValidadeSenha(dmGlobal->Parametro("ATSENHAOPERACOESESPECIAIS"),
                               "Senha para alteração de Situação de Ordem de Serviço Tipo Morta"))
        host::abortOperation();
}

void TfmAssSituacaoTroca::bbOkClick()
{
    if (!dblcSituacao->isHidden() && dblcSituacao->text().isEmpty())
        dmGlobal->MostraErro("Selecione a situação para qual você deseja trocar a O.S.");
    if (!laTempo->isHidden())
        mdHoraFinal->setText(QTime::currentTime().toString("hh:mm"));
    const int anterior = laCodSitAtual->text().toInt();
    const int escolhida = dblcSituacao->isHidden() ? anterior : situacaoEscolhida();
    verificarPermissao(escolhida);
    const QVariant inicio = horaDigitada(*mdHoraInicial);
    const QVariant fim = horaDigitada(*mdHoraFinal);

    host::data::Query& contato = *dmTec->quOSContato;
    dmTec->CarregaOSContato(ordem(), 0);
    contato.append();
    dmTec->quOSContatoCONTRATO->setAsInteger(ordem());
    dmTec->quOSContatoVENDEDOT->setAsString(laCodTec->text());
    dmTec->quOSContatoASCODIGO->setAsInteger(anterior);
    dmTec->quOSContatoASCODIGOATUAL->setAsInteger(escolhida);
    dmTec->quOSContatoOBSERVACAO->setAsString(meLaudo->toPlainText());
    if (!inicio.isNull())
        dmTec->quOSContatoHORA_VISITA->setValue(inicio);
    if (!fim.isNull())
        dmTec->quOSContatoCTHORAFINAL->setValue(fim);
    if (const int item = itemDaTroca(); item > 0)
        dmTec->quOSContatoAOITCODIGO->setAsInteger(item);
    contato.post();
    dmGlobal->IBTransaction1->commitRetaining();

    if (dmGlobal->quEmpresa->fieldByName("UGESPECIFICOEMPRESA")->asInteger() == 15 &&
        LerSituacaoOS(escolhida).tipo == "F")
    {
        UpdateCampoCommit("AATC01AO", "AOBAIXA", "'S'", "WHERE AOCODIGO = " + QString::number(ordem()));
        dmTec->RelerOSAlterada(ordem());
    }
    setModalResult(host::ui::ModalResult::Ok);
    if (!laTempo->isHidden()) {
        respondido_ = true;
        bOk = true;
        if (const int situacao = situacaoEscolhida(); situacao > 0)
            iTrocaSituacaoCodigo = situacao;
        close();
    }
}

// The running clock closed otherwise than by its buttons (the program
// quitting): the time counted is recorded, dropped or kept running as the
// user says, never dropped without a word.
void TfmAssSituacaoTroca::perguntarAoFechar(bool& podeFechar)
{
    if (laTempo->isHidden() || respondido_)
        return;
    const QString resposta = MostraPergunta("O tempo da O.S. Nº " + QString::number(ordem()) +
                                                " está sendo contado. Deseja gravá-lo antes de fechar?",
                                            {"Sim", "Não", "Cancelar"});
    if (resposta == "Sim")
        bbOkClick();
    else if (resposta != "Não")
        podeFechar = false;
}

bool SelecionaSituacaoTroca(int& asCodigo, bool bCriar)
{
    if (bCriar)
        fmAssSituacaoTroca.create();
    TfmAssSituacaoTroca* dialogo = fmAssSituacaoTroca;
    host::ui::ReleaseOnExit liberar(fmAssSituacaoTroca);
    if (!dialogo)
        return false;
    if (host::data::Dataset* situacoes = dialogo->dsSituacao->dataset(); situacoes && !situacoes->active())
        situacoes->open();
    if (dialogo->showModal() != host::ui::ModalResult::Ok)
        return false;
    asCodigo = dialogo->situacaoEscolhida();
    return true;
}

void SelecionaSituacaoTrocaTempo(int& asCodigo, bool bCriar, QWidget* dono)
{
    // The waiting caller's dialog is the one global: a second caller would
    // take it over, and the first would go on waiting for a dialog not its own.
    static bool aguardando = false;
    if (aguardando) {
        if (TfmAssSituacaoTroca* aberto = fmAssSituacaoTroca)
            aberto->raise();
        return;
    }
    if (bCriar)
        fmAssSituacaoTroca.create();
    TfmAssSituacaoTroca* dialogo = fmAssSituacaoTroca;
    if (!dialogo)
        return;
    aguardando = true;
    struct Liberar {
        ~Liberar() { aguardando = false; }
    } liberar;
    bOk = false;
    iTrocaSituacaoCodigo = 0;
    if (host::data::Dataset* situacoes = dialogo->dsSituacao->dataset(); situacoes && !situacoes->active())
        situacoes->open();
    dialogo->mdHoraInicial->setText(QTime::currentTime().toString("hh:mm"));
    dialogo->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                            Qt::WindowMinimizeButtonHint);
    dialogo->setStayOnTop(true);
    // Kept over the window it was opened from: a click there must not hide the running clock.
    host::ui::Dialogs::attachToOwner(*dialogo, dono ? dono : host::ui::Dialogs::owner());
    dialogo->laTempo->show();
    QEventLoop espera;
    QObject::connect(dialogo, &QObject::destroyed, &espera, &QEventLoop::quit);
    dialogo->showNonModal();
    if (fmAssSituacaoTroca)
        espera.exec();
    fmAssSituacaoTroca.clear();
    if (bOk)
        asCodigo = iTrocaSituacaoCodigo;
}

int TrocaSituacaoOrdemServico(const PedidoTrocaSituacao& pedido)
{
    TfmAssSituacaoTroca* dialogo = fmAssSituacaoTroca.create();
    if (pedido.situacoes)
        dialogo->dsSituacao->setDataset(pedido.situacoes);
    if (!dialogo->dsSituacao->dataset()->active())
        dialogo->dsSituacao->dataset()->open();   // the key is looked up in the list
    dialogo->dblcSituacao->setKeyValue(pedido.proposta);
    dialogo->gbSituacao->setTitle("Informe a nova situação da O.S Nº  " + QString::number(pedido.ordem));
    dialogo->gbSituacao->setFixedHeight(85);
    dialogo->setCaption("Troca de Situação");
    dialogo->laCodTec->setText(QString::number(pedido.tecnico));
    dialogo->dblcSituacao->show();
    dialogo->laTroca->show();
    dialogo->bbOk->show();
    int situacao = 0;
    return SelecionaSituacaoTroca(situacao, false) ? situacao : 0;
}
