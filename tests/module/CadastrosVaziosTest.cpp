// Every register opened through the dispatcher and saved empty: whatever it
// refuses reads in Portuguese and names fields by their labels, never by a
// column, a table or a dataset of the program.

#include "tests/module/ModuleFixture.h"

#include "host/db/Database.h"
#include "host/ui/WindowRegistry.h"

#include <QPushButton>
#include <QRegularExpression>
#include <QSet>

namespace moduletest {
namespace {

class CadastrosVaziosTest : public ModuleTest {
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        parametro("ATUTILIZACONTRATOS", "S");
        host::db::Statement nomes(tr(), "select trim(RDB$FIELD_NAME), trim(RDB$RELATION_NAME) from RDB$RELATION_FIELDS"
                                        " where RDB$SYSTEM_FLAG = 0 or RDB$SYSTEM_FLAG is null");
        nomes.execute();
        while (nomes.fetch()) {
            nomesDoBanco << nomes.value(0).toString() << nomes.value(1).toString();
        }
    }
    // The words of a message that are names of the program, not of the user.
    QStringList nomesInternos(const QString& texto) const
    {
        static const QRegularExpression palavra(R"([A-Za-z_$][A-Za-z0-9_$]*)");
        static const QRegularExpression componente(R"(^(qu|us|ds|cds|Qu|fm)[A-Z]\w+$)");
        static const QRegularExpression ingles(R"(validation|violation|constraint|error|table|column|null)",
                                               QRegularExpression::CaseInsensitiveOption);
        QStringList achados;
        for (const QRegularExpressionMatch& m : palavra.globalMatch(texto)) {
            const QString p = m.captured();
            if ((p.size() >= 4 && nomesDoBanco.contains(p)) || componente.match(p).hasMatch() ||
                ingles.match(p).hasMatch())
                achados << p;
        }
        return achados;
    }
    // The register opened, "Novo" and "Salvar" pressed with nothing typed:
    // every message shown.
    QStringList salvaVazio(const QString& janela)
    {
        dialogs->setAutoAcknowledgeMessages(true);
        uPackageAss::ShowJanelaTec("fmAssTecnico");
        uPackageAss::ShowJanelaTec(janela);
        // The window the name opens (the basic contracts open under their own name).
        host::ui::Form* form = host::ui::WindowRegistry::find(janela);
        if (!form && !host::ui::WindowRegistry::forms().isEmpty())
            form = host::ui::WindowRegistry::forms().last();
        EXPECT_NE(form, nullptr) << janela.toStdString();
        if (!form)
            return {};
        const int antes = int(dialogs->texts().size());
        for (const char* botao : {"bbNovo", "bbSalvar"}) {
            auto* b = form->findChild<QPushButton*>(botao);
            EXPECT_NE(b, nullptr) << janela.toStdString() << " " << botao;
            if (b && b->isEnabled())
                b->click();
        }
        return dialogs->texts().mid(antes);
    }

    QSet<QString> nomesDoBanco;
};

TEST_F(CadastrosVaziosTest, EveryRegisterSavedEmptyNamesItsFieldsByTheirLabels)
{
    const QStringList janelas = {"fmAssSituacao",           "fmAssTecnico", "fmAssEquipamento", "fmAssDefeito",
                                 "fmAssHoraTecnica",        "fmAssEquipamentoLocacao", "fmAssCadMedidor",
                                 "fmAssContObj",            "fmAssContratos",          "fmAssContCad"};
    QStringList todas;
    for (const QString& janela : janelas) {
        if (janela == "fmAssContratos")
            dialogs->answer("Não", "Deseja salvar este contrato no cadastro de serviço?");
        const QStringList mensagens = salvaVazio(janela);
        todas << mensagens;
        for (const QString& mensagem : mensagens)
            EXPECT_TRUE(nomesInternos(mensagem).isEmpty())
                << janela.toStdString() << ": " << mensagem.toStdString() << " <"
                << nomesInternos(mensagem).join(", ").toStdString() << ">";
        host::ui::WindowRegistry::freeAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (dmGlobal->IBTransaction1->active())
            dmGlobal->IBTransaction1->rollbackRetaining();
    }
    // The rentable equipment's type is required by the table itself.
    EXPECT_TRUE(todas.contains("Campo obrigatório não informado: Tipo Equipamento")) << todas.join("\n").toStdString();
    EXPECT_TRUE(dialogs->failures().isEmpty()) << dialogs->failures().join("\n").toStdString();
}

}  // namespace
}  // namespace moduletest
