// The main window's menus of the module's windows: each window under its
// caption, grouped as a clerk looks for them, and the developer's list of
// every window name out of the way under "Sistema".

#include "host/Uprincipal.h"

#include <QMenu>
#include <QMenuBar>

namespace {

struct JanelaMenu {
    const char* menu;      // the group's key, below
    const char* nome;      // the window name the module opens
    const char* caption;   // the window's own caption (empty: a separator)
};

// The windows that open on their own. Those that need a current row of
// another window (item details, amendments, compositions, customer
// equipment) open from that window; the five contract items are the host's
// own and the module hooks them.
const JanelaMenu kJanelasMenu[] = {
    {"OS", "fmAssOrdemServico", "Ordem de Serviço"},
    {"OS", "fmAssAndamento", "Andamento das Ordens de Serviço"},
    {"OS", "fmAssSolicitacao", "Solicitação de Peças"},
    {"OS", "fmAssBaixaPecas", "Acerto de Peças"},
    {"OS", "fmAssFaturamento", "Faturamento de Ordem de Serviço"},
    {"OS", "fmAssOSSelecaoRel", "Relatório de Ordem de Serviço por Seleção"},
    {"OS", "", ""},
    {"OS", "fmAssEquipamento", "Cadastro de Equipamentos"},
    {"OS", "fmAssDefeito", "Cadastro de Defeitos"},
    {"OS", "fmAssHoraTecnica", "Hora Técnica"},
    {"CT", "fmAssContratos", "Cadastro de Contratos (Básico)"},
    {"CT", "fmAssContratosFaturamento", "Faturamento dos Contratos (Básico)"},
    {"CT", "fmAssCadMedidor", "Cadastro Medidores"},
    {"LC", "fmAssContLocacao", "Cadastro de Contrato de Locação de Equipamento"},
    {"LC", "fmAssContratosLocEquip", "Contratos de Locação de Equipamentos"},
    {"LC", "fmAssContFatLocEquip", "Faturamento de Contratos (Locação de Equipamentos)"},
    {"LC", "fmAssContRenovacao", "Renovação de Contratos Locação Equipamentos"},
    {"LC", "", ""},
    {"LC", "fmAssEquipamentoLocacao", "Controle Equipamentos para Locação"},
    {"LC", "fmAssEntradaEquip", "Entrada de Equipamentos"},
    {"PA", "fmAssVenda", "Pedido de Assistência"},
    {"PA", "fmAssCheckout", "Consulta de Pedidos para Checkout"},
};

}  // namespace

const QStringList& TfmPrincipal::NomesJanelasModulo()
{
    static const QStringList nomes = {
        "fmAssFaturamento", "fmAssHoraTecnica", "fmAssTecnico", "fmAssDefeito", "fmAssEquipamento",
        "fmAssSituacao", "fmAssContratos", "fmAssContratosFaturamento", "fmAssOrdemServico", "fmAssAndamento",
        "fmAssSolicitacao", "fmAssOSSelecaoRel", "fmAssBaixaPecas", "fmAssContObj", "fmAssContReaj",
        "fmAssContFat", "fmAssContFatLocEquip", "fmAssContLocacao", "fmAssEquipamentoLocacao", "fmAssContCad",
        "fmAssContratosLocEquip", "fmAssContCob", "fmAssEquipCli", "fmAssContCadDet", "fmAssContAditivo",
        "fmAssVenda", "fmAssCheckout", "fmAssContRenovacao", "fmAssEntradaEquip", "fmAssCadMedidor",
        "fmAssContCadCM", "AutomatizacaoDeTeste",
    };
    return nomes;
}

void TfmPrincipal::montarMenusModulo(QMenu* sistema, QMenu* ordens, QMenu* contratos, QMenu* locacao,
                                     QMenu* pedidos)
{
    contratos->addSeparator();
    for (const JanelaMenu& j : kJanelasMenu) {
        const QString grupo = QLatin1String(j.menu);
        QMenu* menu = grupo == "OS" ? ordens : grupo == "CT" ? contratos : grupo == "LC" ? locacao : pedidos;
        if (!*j.nome) {
            menu->addSeparator();
            continue;
        }
        const QString nome = QString::fromUtf8(j.nome);
        auto* item = new TMenuItem(menu, "mi" + nome.mid(2), QString::fromUtf8(j.caption));
        item->OnClick = [this, nome](QObject*) { AbrirJanela(nome); };
        items_ << item;
    }

    QMenu* desenvolvedor = sistema->addMenu("Janelas do módulo (desenvolvedor)");
    desenvolvedor->setObjectName("mnJanelasDesenvolvedor");
    for (const QString& nome : NomesJanelasModulo())
        connect(desenvolvedor->addAction(nome), &QAction::triggered, this, [this, nome] { AbrirJanela(nome); });
}
