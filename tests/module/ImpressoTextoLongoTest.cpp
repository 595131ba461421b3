// The contract register's listing ("Relatório") of a contract whose
// "Observação" runs three paragraphs and holds a word longer than the page is
// wide: every text prints whole, inside the margins and over nothing, and the
// listing names the window it came from.

#include "tests/module/ContratoCadastroFixture.h"
#include "tests/module/PalavrasPdf.h"

#include "host/report/PreparedReport.h"
#include "host/report/Uvisualrel.h"
#include "tests/support/TestDatabase.h"

#include <QFile>
#include <QPushButton>

namespace moduletest {
namespace {

class ImpressoTextoLongoTest : public ContratoCadastroTest {};

TEST_F(ImpressoTextoLongoTest, ALongObservationPrintsWholeInsideTheMarginsAndOverNothing)
{
    const QString palavra = QString("CONTRATO") + QString(272, QChar('X'));
    const QString observacao = "Primeiro parágrafo da observação, com as condições de atendimento do contrato "
                               "e as visitas mensais combinadas com o cliente.\n"
                               "Segundo parágrafo: as peças trocadas são cobradas à parte, conforme a tabela "
                               "vigente na data da troca.\n" +
                               palavra;
    exec("insert into AATC05AC (ACCODIGO, ACNUMEROCONTRATO, CLCODIGO, ACSITUACAO, ACLOCAL, ACOBJETO, ACTEXTO)"
         " values (801, 'N801', '00004', 'A', '01', 'Manutenção preventiva de impressoras', :TEXTO)",
         {{"TEXTO", observacao}});
    tr().commitRetaining();
    TfmAssContCad& form = abrir();
    CarregaContrato(801);

    std::shared_ptr<const host::report::PreparedReport> paginas;
    dialogs->modal("fmVisualizadorRelatorio", [&](host::ui::Form& janela) {
        paginas = std::make_shared<host::report::PreparedReport>(static_cast<TfmVisualizadorRelatorio&>(janela).pages());
        janela.close();
    });
    form.bbRelatorio->click();
    ASSERT_TRUE(paginas);
    const QString dump = paginas->textDump();
    EXPECT_TRUE(dump.contains("Programa : fmAssContCad")) << dump.toStdString();
    EXPECT_FALSE(dump.contains("quCtrCadastro")) << dump.toStdString();
    EXPECT_TRUE(dump.contains(QString(observacao).replace("\n", "\\n"))) << "the whole text";

    const QString pdf = testsupport::uniqueFile("listagem-contrato", ".pdf");
    paginas->exportPdf(pdf);
    QStringList achados;
    QStringList palavras;
    int numero = 0;
    for (const PaginaPdf& pagina : palavrasDoPdf(pdf)) {
        achados << foraDoLugar(pagina, ++numero, paginas->page.margins);
        for (const PalavraPdf& p : pagina.palavras)
            palavras << p.texto;
    }
    QFile::remove(pdf);
    EXPECT_GT(numero, 0);
    EXPECT_TRUE(palavras.join(' ').contains("Segundo")) << palavras.join(' ').toStdString();
    EXPECT_EQ(achados, QStringList{});
}

}  // namespace
}  // namespace moduletest
