// The external-service queue opened from the service-order window (through
// the dispatcher): numbering per technician and day, the swap of two
// numbers, the refused technician or date change, removal, an unknown order,
// the automatic choice of a technician, and a picture of the queue.

#include "tests/module/ModuleFixture.h"

#include "data/uDataTec.h"
#include "host/Udmglobal.h"
#include "host/data/Field.h"
#include "host/data/MemDataset.h"
#include "host/db/Database.h"
#include "host/ui/DataGrid.h"
#include "host/ui/DataTextControls.h"
#include "host/ui/EditControls.h"
#include "host/ui/Errors.h"
#include "host/ui/PageControl.h"
#include "service_orders/uAssFilaAtendimento.h"
#include "service_orders/uAssOrdemServico.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace moduletest {
namespace {

const QDateTime kDiaFila(QDate(2026, 12, 9), QTime(8, 0));

class FilaAtendimentoTest : public ModuleTest {
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        parametro("ATOPCAOTELAOS", "C");
        tecnico(71, "ANA FILA");
        tecnico(72, "BRUNO FILA");
    }
    void tecnico(int codigo, const QString& nome, const QString& ativo = "S")
    {
        exec(QString("insert into AATC06AT (ATCODIGO, ATNOME, ATATIVO) values (%1, '%2', '%3')")
                 .arg(codigo)
                 .arg(nome, ativo));
    }
    // An order of customer 00003; queued when a technician, day and number are given.
    void ordem(int codigo, int tecnicoOrdem = 0, const QDateTime& saida = {}, int seq = 0,
               const QString& baixa = "A")
    {
        exec(QString("insert into AATC01AO (AOCODIGO, CLCODIGO, AODATAENTRADA, AOBAIXA, AOPRIORIDADE, ATCODIGO,"
                     " AODATASAIDA, AOSEQATENDIMENTO, AOTURNO, AORETORNO)"
                     " values (%1, '00003', '2026-11-02', :BAIXA, 'M', :TEC, :SAIDA, %2, 'M', 'N')")
                 .arg(codigo)
                 .arg(seq),
             {{"TEC", tecnicoOrdem > 0 ? QVariant(tecnicoOrdem) : QVariant()},
              {"SAIDA", saida.isValid() ? QVariant(saida) : QVariant()},
              {"BAIXA", baixa}});
        tr().commitRetaining();
    }
    TfmAssOrdemServico& abrirOrdem(int codigo)
    {
        uPackageAss::ShowJanelaTec("fmAssOrdemServico;" + QString::number(codigo));
        TfmAssOrdemServico* form = fmAssOrdemServico.get();
        EXPECT_TRUE(QTest::qWaitForWindowActive(form));
        return *form;
    }
    // The order's window, then its queue through the header button.
    TfmAssFilaAtendimento& filaDaOrdem(int codigo)
    {
        TfmAssOrdemServico& os = abrirOrdem(codigo);
        EXPECT_TRUE(os.sbEnviarFilaAten->isVisible());
        os.sbEnviarFilaAten->click();
        TfmAssFilaAtendimento* fila = fmAssFilaAtendimento.get();
        EXPECT_NE(fila, nullptr);
        return *fila;
    }
    QString seq(int codigo) const
    {
        const QStringList linhas = lido("select AOSEQATENDIMENTO from AATC01AO where AOCODIGO = " +
                                        QString::number(codigo));
        return linhas.value(0);
    }
    static QStringList listadas(TfmAssFilaAtendimento& fila)
    {
        QStringList linhas;
        host::data::MemDataset& lista = *fila.cdsFilaAten;
        for (lista.first(); !lista.eof(); lista.next())
            linhas << fila.cdsFilaAtenAOCODIGO->asString() + ":" + fila.cdsFilaAtenSEQ->asString() + ":" +
                          fila.cdsFilaAtenATCODIGO->asString();
        return linhas;
    }
    // A new entry typed into the list.
    static void novaEntrada(TfmAssFilaAtendimento& fila, int ordemEntrada, int tecnicoEntrada,
                            const QDateTime& data)
    {
        fila.cdsFilaAten->append();
        if (data.isValid())
            fila.cdsFilaAtenDATASAIDA->setAsDateTime(data);
        if (tecnicoEntrada > 0)
            fila.cdsFilaAtenATCODIGO->setAsInteger(tecnicoEntrada);
        fila.cdsFilaAtenAOCODIGO->setText(QString::number(ordemEntrada));
        fila.cdsFilaAten->post();
    }
};

TEST_F(FilaAtendimentoTest, ATechniciansDayIsNumberedFromOneAndAnEntryWithoutBothGetsOne)
{
    ordem(501);
    ordem(502);
    ordem(503);
    ordem(504);
    TfmAssFilaAtendimento& fila = filaDaOrdem(501);
    EXPECT_EQ(fila.caption(), "Controle de Atendimento Externo (Fila de Atendimento)");
    EXPECT_TRUE(fila.isVisible());
    EXPECT_EQ(fila.cbRetornado->currentText(), "Não");

    novaEntrada(fila, 501, 71, kDiaFila);
    EXPECT_EQ(seq(501), "1") << "the first order of the technician's day";
    EXPECT_EQ(lido("select ATCODIGO || ' ' || AOTURNO || AORETORNO from AATC01AO where AOCODIGO = 501"),
              QStringList{"71 MN"});

    // The next entry takes the last one's day, turn and technician.
    fila.cdsFilaAten->append();
    EXPECT_EQ(fila.cdsFilaAtenATCODIGO->asInteger(), 71);
    EXPECT_EQ(fila.cdsFilaAtenDATASAIDA->asDateTime().date(), kDiaFila.date());
    EXPECT_EQ(fila.cdsFilaAtenTURNO->displayText(), "Manhã");
    EXPECT_EQ(fila.cdsFilaAtenRETORNO->displayText(), "Não");
    fila.cdsFilaAtenAOCODIGO->setText("502");
    fila.cdsFilaAten->post();
    EXPECT_EQ(seq(502), "2");

    // Another technician's day starts again at 1.
    novaEntrada(fila, 503, 72, kDiaFila);
    EXPECT_EQ(seq(503), "1");

    // Neither technician nor date: 1 (the last entry's defaults cleared first).
    fila.cdsFilaAten->append();
    fila.cdsFilaAtenATCODIGO->clear();
    fila.cdsFilaAtenDATASAIDA->clear();
    fila.cdsFilaAtenAOCODIGO->setText("504");
    fila.cdsFilaAten->post();
    EXPECT_EQ(seq(504), "1");
    EXPECT_EQ(lido("select count(*) from AATC01AO where AOCODIGO = 504 and ATCODIGO is null"
                   " and AODATASAIDA is null"),
              QStringList{"1"});
}

// Entries typed into the list without a date, each on a new row past the
// last and posted by leaving it: a technician's undated entries are
// numbered one after another, as a day's are.
TEST_F(FilaAtendimentoTest, UndatedEntriesOfATechnicianAreNumberedOneAfterAnother)
{
    ordem(561, 71, {}, 1);
    ordem(562);
    ordem(563);
    ordem(564);
    TfmAssFilaAtendimento& fila = filaDaOrdem(562);
    ASSERT_EQ(listadas(fila), QStringList{"561:1:71"});
    auto digitarEntrada = [&](const QString& tecnicoEntrada, const QString& ordemEntrada) {
        host::ui::DataGrid* grade = fila.dbgdFilaAten;
        grade->setFocus();
        fila.cdsFilaAten->last();
        QTest::keyClick(grade, Qt::Key_Down);
        ASSERT_EQ(fila.cdsFilaAten->state(), host::data::DatasetState::Insert);
        if (!tecnicoEntrada.isEmpty())
            celula(grade, "ATCODIGO", tecnicoEntrada);
        celula(grade, "AOCODIGO", ordemEntrada);
        QTest::keyClick(grade, Qt::Key_Up);
        EXPECT_EQ(fila.cdsFilaAten->state(), host::data::DatasetState::Browse);
    };
    digitarEntrada("71", "562");
    EXPECT_EQ(seq(562), "2");
    digitarEntrada("71", "563");
    EXPECT_EQ(seq(563), "3");
    EXPECT_EQ(lido("select count(*) from AATC01AO where AODATASAIDA is null and ATCODIGO = 71"), QStringList{"3"});
    // Another technician's undated entries start again at 1.
    digitarEntrada("72", "564");
    EXPECT_EQ(seq(564), "1");
    EXPECT_EQ(dialogs->pending(), 0);
}

// The first entry of an empty queue, typed with the cell editor still open
// and left with Down or Up (no row to move to): stored at once, without
// closing the window; Down adds no other row.
TEST_F(FilaAtendimentoTest, TheFirstEntryOfAnEmptyQueueIsStoredByLeavingItsRow)
{
    ordem(571);
    ordem(572);
    TfmAssFilaAtendimento& fila = filaDaOrdem(571);
    ASSERT_TRUE(listadas(fila).isEmpty());
    host::ui::DataGrid* grade = fila.dbgdFilaAten;
    int vez = 0;
    for (const Qt::Key saida : {Qt::Key_Down, Qt::Key_Up}) {
        const QString ordemEntrada = QString::number(571 + vez++);
        grade->setFocus();
        QTest::keyClick(grade, fila.cdsFilaAten->isEmpty() ? Qt::Key_Down : Qt::Key_Insert);
        ASSERT_EQ(fila.cdsFilaAten->state(), host::data::DatasetState::Insert);
        celula(grade, "ATCODIGO", "71");
        // The order typed, and the row left from its cell editor.
        grade->setSelectedIndex(grade->columnByField("AOCODIGO")->index());
        grade->editCurrentCell();
        QWidget* celulaAberta = grade->indexWidget(grade->currentIndex());
        ASSERT_NE(celulaAberta, nullptr);
        auto* editor = celulaAberta->findChild<QLineEdit*>();   // beside its "..." button
        ASSERT_NE(editor, nullptr);
        QTest::keyClicks(editor, ordemEntrada);
        QTest::keyClick(editor, saida);
        EXPECT_EQ(fila.cdsFilaAten->state(), host::data::DatasetState::Browse);
        EXPECT_EQ(lido("select ATCODIGO || ':' || AOSEQATENDIMENTO from AATC01AO where AOCODIGO = " + ordemEntrada),
                  QStringList{QString("71:%1").arg(vez)})
            << "stored as the row is left";
    }
    EXPECT_EQ(listadas(fila), (QStringList{"571:1:71", "572:2:71"}));
    EXPECT_EQ(dialogs->pending(), 0);
}

// The order window stays on top of the others: the queue it opens comes in
// front of it, not hidden under it.
TEST_F(FilaAtendimentoTest, TheQueueOpensInFrontOfTheOrderWindowThatStaysOnTop)
{
    ordem(581);
    TfmAssOrdemServico& os = abrirOrdem(581);
    ASSERT_TRUE(os.stayOnTop());
    os.sbEnviarFilaAten->click();
    TfmAssFilaAtendimento* fila = fmAssFilaAtendimento.get();
    ASSERT_NE(fila, nullptr);
    EXPECT_TRUE(fila->stayOnTop());
    EXPECT_TRUE(QTest::qWaitForWindowActive(fila));
}

TEST_F(FilaAtendimentoTest, ChangingThreeToOneSwapsWithinThatTechniciansDayOnly)
{
    ordem(511, 71, kDiaFila, 1);
    ordem(512, 71, kDiaFila.addSecs(3600), 3);
    ordem(513, 72, kDiaFila, 1);
    ordem(514, 71, kDiaFila.addDays(1), 1);
    TfmAssFilaAtendimento& fila = filaDaOrdem(512);
    EXPECT_EQ(listadas(fila), QStringList{"512:3:71"}) << "the order's technician, day and number";
    fila.cdsFilaAten->edit();
    fila.cdsFilaAtenSEQ->setText("1");
    fila.cdsFilaAten->post();
    EXPECT_EQ(seq(512), "1");
    EXPECT_EQ(seq(511), "3");
    EXPECT_EQ(seq(513), "1") << "another technician";
    EXPECT_EQ(seq(514), "1") << "another day";
    // The reload follows the selection: that day, not returned.
    EXPECT_EQ(listadas(fila), (QStringList{"511:3:71", "513:1:72", "512:1:71"}));
}

// One slot, one visit: a new entry typed with a position another order of
// the technician's day holds is refused, and a position below 1 typed over
// an entry does not take the order out of the queue.
TEST_F(FilaAtendimentoTest, APositionIsHeldByOneOrderAndNeverBelowOne)
{
    ordem(601, 71, kDiaFila, 1);
    ordem(602);
    TfmAssFilaAtendimento& fila = filaDaOrdem(602);
    ASSERT_EQ(listadas(fila), QStringList{"601:1:71"});
    dialogs->acknowledge("A posição 1 já é da Ordem de Serviço 601 neste dia.");
    fila.cdsFilaAten->append();
    fila.cdsFilaAtenDATASAIDA->setAsDateTime(kDiaFila);
    fila.cdsFilaAtenATCODIGO->setAsInteger(71);
    fila.cdsFilaAtenSEQ->setText("1");
    fila.cdsFilaAtenAOCODIGO->setText("602");
    fila.cdsFilaAten->post();
    EXPECT_EQ(seq(602), "0");
    for (const char* posicao : {"-1", "0"}) {
        SCOPED_TRACE(posicao);
        dialogs->acknowledge("A posição na fila deve ser 1 ou mais.");
        ASSERT_TRUE(fila.cdsFilaAten->locate("AOCODIGO", 601));
        fila.cdsFilaAten->edit();
        fila.cdsFilaAtenSEQ->setText(posicao);
        fila.cdsFilaAten->post();
        EXPECT_EQ(seq(601), "1");
    }
    EXPECT_EQ(listadas(fila), QStringList{"601:1:71"});
    EXPECT_EQ(dialogs->pending(), 0);
}

// Another order typed over an entry in the grid, the row left: the position
// is still the replaced order's, so the change is refused, and a free
// position typed with it is taken.
TEST_F(FilaAtendimentoTest, AnotherOrderTypedOverAnEntryTakesNoHeldPosition)
{
    const struct {
        const char* posicao;   // typed with the order; empty: the entry's own
        QStringList lidas;
    } casos[] = {
        {"", {"701:1", "702:2", "703:0"}},
        {"3", {"701:1", "702:2", "703:3"}},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.posicao);
        exec("delete from AATC01AO where AOCODIGO in (701, 702, 703)");
        ordem(701, 71, kDiaFila, 1);
        ordem(702, 71, kDiaFila, 2);
        ordem(703);
        TfmAssFilaAtendimento& fila = filaDaOrdem(703);
        ASSERT_TRUE(fila.cdsFilaAten->locate("AOCODIGO", 701)) << listadas(fila).join(" ").toStdString();
        if (*caso.posicao)
            celula(fila.dbgdFilaAten, "SEQ", caso.posicao);
        else
            dialogs->acknowledge("A posição 1 já é da Ordem de Serviço 701 neste dia.");
        celula(fila.dbgdFilaAten, "AOCODIGO", "703", Qt::Key_Down);
        EXPECT_EQ(lido("select AOCODIGO || ':' || AOSEQATENDIMENTO from AATC01AO where AOCODIGO in (701, 702, 703)"
                       " order by AOCODIGO"),
                  caso.lidas);
        EXPECT_EQ(dialogs->pending(), 0) << dialogs->texts().join(" # ").toStdString();
        fila.close();
        fmAssOrdemServico->close();
    }
}

TEST_F(FilaAtendimentoTest, ATechnicianOrDateChangeIsRefusedAndTheStoredValuesComeBack)
{
    ordem(521, 71, kDiaFila, 1);
    TfmAssFilaAtendimento& fila = filaDaOrdem(521);
    ASSERT_EQ(listadas(fila), QStringList{"521:1:71"});

    dialogs->acknowledge("Não é permitida a troca de Técnico e/ou Data após agendamento.");
    fila.cdsFilaAten->edit();
    fila.cdsFilaAtenATCODIGO->setText("72");
    fila.cdsFilaAten->post();
    EXPECT_EQ(lido("select ATCODIGO from AATC01AO where AOCODIGO = 521"), QStringList{"71"});
    EXPECT_EQ(listadas(fila), QStringList{"521:1:71"}) << "the list shows the order as stored";

    dialogs->acknowledge("Não é permitida a troca de Técnico e/ou Data após agendamento.");
    fila.cdsFilaAten->first();
    fila.cdsFilaAten->edit();
    fila.cdsFilaAtenDATASAIDA->setAsDateTime(kDiaFila.addDays(2));
    fila.cdsFilaAten->post();
    EXPECT_EQ(lido("select extract(day from AODATASAIDA) from AATC01AO where AOCODIGO = 521"), QStringList{"9"});
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(FilaAtendimentoTest, AnUnknownOrderIsNotQueued)
{
    ordem(531);
    TfmAssFilaAtendimento& fila = filaDaOrdem(531);
    dialogs->acknowledge("Código da Ordem de Serviço é inválido!");
    fila.cdsFilaAten->append();
    fila.cdsFilaAtenAOCODIGO->setAsInteger(99999);
    EXPECT_FALSE(host::ui::runGuarded([&] { fila.cdsFilaAten->post(); }));
    EXPECT_EQ(fila.cdsFilaAten->state(), host::data::DatasetState::Insert) << "the entry stays unposted";
    EXPECT_EQ(lido("select count(*) from AATC01AO where AOSEQATENDIMENTO > 0"), QStringList{"0"});
}

// The contact typed on the order and not yet saved goes with the order when
// a move in the queue's list loads another order in its place.
TEST_F(FilaAtendimentoTest, MovingInTheListStoresTheContactTypedOnTheOrderShown)
{
    ordem(551, 71, kDiaFila, 1);
    ordem(552, 71, kDiaFila.addSecs(60), 2);
    TfmAssFilaAtendimento& fila = filaDaOrdem(551);
    fila.cbTurno->setCurrentIndex(-1);
    fila.bbOkClick();
    ASSERT_EQ(listadas(fila), (QStringList{"551:1:71", "552:2:71"}));
    fila.cdsFilaAten->first();
    TfmAssOrdemServico& os = *fmAssOrdemServico.get();
    digita(os.dbedContato, "Sr. Paulo Souza");
    ASSERT_EQ(dmTec->quOS->state(), host::data::DatasetState::Edit);

    fila.dbgdFilaAten->setFocus();
    QTest::keyClick(fila.dbgdFilaAten, Qt::Key_Down);
    EXPECT_EQ(dmTec->quOSAOCODIGO->asInteger(), 552) << "the order of the row moved to";
    EXPECT_EQ(lido("select AOCONTATO from AATC01AO where AOCODIGO = 551"), QStringList{"Sr. Paulo Souza"});
    EXPECT_EQ(dialogs->pending(), 0);
}

// A refused position leaves the contact typed on the order, unsaved, as typed:
// saved afterwards, it is the one stored.
TEST_F(FilaAtendimentoTest, ARefusedPositionKeepsTheContactTypedOnTheOrder)
{
    ordem(561, 71, kDiaFila, 1);
    exec("update AATC01AO set AOCONTATO = 'Sr. Paulo' where AOCODIGO = 561");
    tr().commitRetaining();
    TfmAssFilaAtendimento& fila = filaDaOrdem(561);
    ASSERT_EQ(listadas(fila), QStringList{"561:1:71"});
    TfmAssOrdemServico& os = *fmAssOrdemServico.get();
    digita(os.dbedContato, "Sra. Helena Prado");
    dialogs->acknowledge("A posição na fila deve ser 1 ou mais.");
    fila.cdsFilaAten->first();
    celula(fila.dbgdFilaAten, "SEQ", "0", Qt::Key_Down);
    EXPECT_EQ(dialogs->pending(), 0) << dialogs->texts().join(" # ").toStdString();
    EXPECT_EQ(dmTec->quOSAOCONTATO->asString(), "Sra. Helena Prado");
    os.bbSalvar->click();
    EXPECT_EQ(lido("select AOCONTATO || ':' || AOSEQATENDIMENTO from AATC01AO where AOCODIGO = 561"),
              QStringList{"Sra. Helena Prado:1"});
}

// Another desk giving the technician's day its next position, its order not
// yet committed: this desk's entry is refused, not given the same position,
// and typed again once the other desk is done it takes the next one.
TEST_F(FilaAtendimentoTest, TwoDesksNeverGiveOnePositionToTwoOrders)
{
    ordem(621);
    ordem(622);
    ordem(623);
    TfmAssFilaAtendimento& fila = filaDaOrdem(621);
    novaEntrada(fila, 621, 71, kDiaFila);
    ASSERT_EQ(seq(621), "1");

    host::db::Connection conexao;
    conexao.open({dbPath});
    host::db::Transaction outra(conexao);
    host::db::executeSql(outra, "update or insert into TRAVAEXECUCAO (NOME) values ('FILAATENDIMENTO') matching (NOME)");
    host::db::executeSql(outra, "update AATC01AO set ATCODIGO = 71, AODATASAIDA = '2026-12-09 08:00',"
                                " AOSEQATENDIMENTO = 2 where AOCODIGO = 622");
    dialogs->acknowledge("Outra estação está alterando a fila de atendimento neste momento.");
    novaEntrada(fila, 623, 71, kDiaFila);
    EXPECT_EQ(dialogs->pending(), 0) << dialogs->texts().join(" # ").toStdString();
    EXPECT_EQ(seq(623), "0");
    outra.commit();

    novaEntrada(fila, 623, 71, kDiaFila);
    EXPECT_EQ(lido("select AOCODIGO || ':' || AOSEQATENDIMENTO from AATC01AO where AOCODIGO in (621, 622, 623)"
                   " order by AOCODIGO"),
              (QStringList{"621:1", "622:2", "623:3"}));

    // A refusal being read at this desk holds no other desk back.
    ordem(624);
    bool outraSeguiu = false;
    dialogs->acknowledge("A posição 1 já é da Ordem de Serviço 621 neste dia.").meanwhile([&] {
        try {
            outraMesa("update or insert into TRAVAEXECUCAO (NOME) values ('FILAATENDIMENTO') matching (NOME)");
            outraSeguiu = true;
        } catch (const std::exception&) {
        }
    });
    fila.cdsFilaAten->append();
    fila.cdsFilaAtenDATASAIDA->setAsDateTime(kDiaFila);
    fila.cdsFilaAtenATCODIGO->setAsInteger(71);
    fila.cdsFilaAtenSEQ->setText("1");
    fila.cdsFilaAtenAOCODIGO->setText("624");
    fila.cdsFilaAten->post();
    EXPECT_EQ(dialogs->pending(), 0) << dialogs->texts().join(" # ").toStdString();
    EXPECT_EQ(seq(624), "0");
    EXPECT_TRUE(outraSeguiu);
}

// "Turno" and "Retornado" take their listed values only: a word of no caption
// is refused where typed, and the order keeps its turn and return mark.
TEST_F(FilaAtendimentoTest, TurnAndReturnTakeOnlyTheirListedValues)
{
    const struct {
        const char* campo;
        const char* digitado;
        const char* recusa;   // empty: taken
        const char* lido;
    } casos[] = {
        {"TURNO", "Xablau", "'Xablau' não é um valor de Turno. Use Manhã, Tarde ou Noite.", "MN"},
        {"RETORNO", "Talvez", "'Talvez' não é um valor de Retornado. Use Sim ou Não.", "MN"},
        {"TURNO", "Tarde", "", "TN"},
    };
    ordem(651, 71, kDiaFila, 1);
    TfmAssFilaAtendimento& fila = filaDaOrdem(651);
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.digitado);
        if (*caso.recusa)
            dialogs->acknowledge(caso.recusa);
        fila.cdsFilaAten->first();
        celula(fila.dbgdFilaAten, caso.campo, caso.digitado, Qt::Key_Return);
        if (*caso.recusa) {
            EXPECT_NE(fila.dbgdFilaAten->indexWidget(fila.dbgdFilaAten->currentIndex()), nullptr) << "still typed";
            fila.cdsFilaAten->cancel();
        } else {
            fila.cdsFilaAten->post();   // the row left
        }
        EXPECT_EQ(dialogs->pending(), 0) << dialogs->texts().join(" # ").toStdString();
        EXPECT_EQ(lido("select AOTURNO || AORETORNO from AATC01AO where AOCODIGO = 651"), QStringList{caso.lido});
    }
}

TEST_F(FilaAtendimentoTest, RemovingTheSelectedEntriesTakesThemOffTheQueue)
{
    ordem(541, 71, kDiaFila, 1);
    ordem(542, 71, kDiaFila.addSecs(60), 2);
    ordem(543, 71, kDiaFila.addSecs(120), 3);
    TfmAssFilaAtendimento& fila = filaDaOrdem(541);
    fila.cbTurno->setCurrentIndex(-1);
    fila.bbOkClick();
    ASSERT_EQ(listadas(fila), (QStringList{"541:1:71", "542:2:71", "543:3:71"}));
    fila.dbgdFilaAten->selectRow(1);
    fila.dbgdFilaAten->selectRow(3);

    dialogs->answer("Não", "Deseja remover o(s) registro(s) selecionado(s) da Fila de Atendimento?");
    fila.laRemoveFila->onClick();
    EXPECT_EQ(seq(541), "1") << "\"Não\" removes nothing";

    dialogs->answer("Sim", "Fila de Atendimento").acknowledge("Operação efetuada com sucesso!");
    fila.laRemoveFila->onClick();
    EXPECT_EQ(seq(541), "0");
    EXPECT_EQ(seq(542), "2");
    EXPECT_EQ(seq(543), "0");
    EXPECT_EQ(listadas(fila), QStringList{"542:2:71"});
    EXPECT_EQ(dialogs->pending(), 0);
}

class DistribuicaoTest : public FilaAtendimentoTest {
protected:
    void SetUp() override
    {
        FilaAtendimentoTest::SetUp();
        tecnico(81, "CAIO DIST");
        tecnico(82, "DORA DIST");
        tecnico(83, "EDU DIST");
        tecnico(84, "FABIO DIST", "N");
        // Technicians of equipment 900, in the order they are read.
        int sequencia = 1;
        for (int t : {84, 81, 82, 83})
            exec(QString("insert into AATC06ATIT (ATITSEQUENCIA, ATCODIGO, AECODIGO) values (%1, %2, 900)")
                     .arg(sequencia++)
                     .arg(t));
        ordem(601, 81);
        ordem(602, 81);
        ordem(603, 82, {}, 0, "S");   // executed: not open
        ordem(610);
        exec("insert into AATC01AOIT (AOCODIGO, AOITCODIGO, AOITEQUIPCODIGO, AOITEQUIPDESCRICAO)"
             " values (610, 1, 900, 'Compressor')");
    }
    QString tecnicoDe(int codigo) const
    {
        return lido("select coalesce(ATCODIGO, 0) from AATC01AO where AOCODIGO = " + QString::number(codigo))
            .value(0);
    }
};

TEST_F(DistribuicaoTest, TheFirstActiveTechnicianWithTheFewestOpenOrdersGetsTheOrder)
{
    TfmAssOrdemServico& os = abrirOrdem(610);
    EXPECT_TRUE(os.tsLaudo->isAncestorOf(os.sbDistribuicaoOS)) << "the button sits on the report tab";
    os.sbDistribuicaoOS->click();
    EXPECT_EQ(tecnicoDe(610), "82") << "2, 0 and 0 open orders: the first with 0; the inactive one skipped";

    exec("update AATC06AT set ATATIVO = 'N' where ATCODIGO = 82");
    EXPECT_EQ(os.DistribuicaoAutomaticaOS(), 83);
}

TEST_F(DistribuicaoTest, NoTechnicianAvailableIsSaid)
{
    exec("update AATC06AT set ATATIVO = 'N' where ATCODIGO in (81, 82, 83)");
    TfmAssOrdemServico& os = abrirOrdem(610);
    dialogs->acknowledge("Não foi possível encontrar técnico disponível para o serviço.");
    os.sbDistribuicaoOS->click();
    EXPECT_EQ(tecnicoDe(610), "0");
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(FilaAtendimentoTest, PictureOfTheQueue)
{
    ordem(551, 71, kDiaFila, 1);
    ordem(552, 71, kDiaFila.addSecs(3600), 2);
    ordem(553, 72, kDiaFila.addSecs(1800), 1);
    TfmAssFilaAtendimento& fila = filaDaOrdem(551);
    fila.cbTurno->setCurrentIndex(0);
    fila.bbOkClick();
    ASSERT_EQ(fila.cdsFilaAten->recordCount(), 3);
    EXPECT_EQ(fila.dbgdFilaAten->columnByField("TURNO")->pickList(), (QStringList{"Manhã", "Tarde", "Noite"}));
    EXPECT_EQ(fila.dbgdFilaAten->columnByField("RETORNO")->pickList(), (QStringList{"Sim", "Não"}));
    EXPECT_TRUE(fila.dbgdFilaAten->multiSelect());
    fila.cdsFilaAten->first();
    EXPECT_EQ(fila.cdsFilaAten->fieldByName("TECNICO")->asString(), "ANA FILA");
    EXPECT_FALSE(fila.cdsFilaAten->fieldByName("CLIENTE")->asString().isEmpty());
    guardaFoto(fila, "fmAssFilaAtendimento.png");
}

}  // namespace
}  // namespace moduletest
