// The service-order window opened and closed again and again, for a
// customer with a colour of its line of business and for one without: the
// style keeps the pictures it draws controls with under their palette's
// key, so the palettes it is asked to draw with stay those of the first
// openings.

#include "tests/module/OrdemServicoEntradaFixture.h"

#include "host/Udmglobal.h"
#include "service_orders/uAssOrdemServico.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QProxyStyle>
#include <QSet>
#include <QStyleFactory>
#include <QStyleOption>

namespace moduletest {
namespace {

// The application's style, noting the palettes of the controls it draws.
class PaletasDesenhadas : public QProxyStyle {
public:
    PaletasDesenhadas() : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {}
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget) const override
    {
        paletas.insert(option->palette.cacheKey());
        QProxyStyle::drawComplexControl(control, option, painter, widget);
    }
    mutable QSet<qint64> paletas;
};

class OrdemServicoMemoriaTest : public OrdemServicoEntradaTest {
protected:
    void SetUp() override
    {
        OrdemServicoEntradaTest::SetUp();
        estiloAnterior_ = QApplication::style()->name();
        QApplication::setStyle(estilo_);
    }
    void TearDown() override
    {
        QApplication::setStyle(QStyleFactory::create(estiloAnterior_));
        OrdemServicoEntradaTest::TearDown();
    }
    // Opened, shown and closed, the window freed.
    void abrirEFechar()
    {
        abrir().close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ASSERT_EQ(fmAssOrdemServico.get(), nullptr);
    }
    PaletasDesenhadas* estilo_ = new PaletasDesenhadas;   // the application's while it lives
    QString estiloAnterior_;
};

TEST_F(OrdemServicoMemoriaTest, ClosedWindowsLeaveNoPicturesBehind)
{
    ordemComItem("Furadeira");
    exec("insert into RAMO (COD_RAMO, RACOR) values ('R1', 'clRed')");
    for (const char* ramo : {"null", "'R1'"}) {
        exec(QString("update AUGC0301 set RAMO = %1 where CODIGO_CLIENTE = '00003'").arg(ramo));
        dmGlobal->IBTransaction1->commitRetaining();
        abrirEFechar();
        const qsizetype desenhadas = estilo_->paletas.size();
        for (int vez = 0; vez < 3; ++vez)
            abrirEFechar();
        EXPECT_EQ(estilo_->paletas.size(), desenhadas) << "line of business " << ramo;
    }
}

}  // namespace
}  // namespace moduletest
