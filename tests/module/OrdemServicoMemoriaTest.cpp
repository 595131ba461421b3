// The service-order window opened and closed again and again, for a
// customer with a colour of its line of business and for one without: the
// style keeps the pictures it draws controls with under their palette's
// key, so the palettes it is asked to draw with stay those of the first
// openings.

#include "tests/module/OrdemServicoEntradaFixture.h"

#include "tests/module/PaletasDesenhadas.h"

#include "host/Udmglobal.h"
#include "service_orders/uAssOrdemServico.h"

#include <QCoreApplication>
#include <QEvent>

namespace moduletest {
namespace {

class OrdemServicoMemoriaTest : public OrdemServicoEntradaTest {
protected:
    // Opened, shown and closed, the window freed.
    void abrirEFechar()
    {
        abrir().close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ASSERT_EQ(fmAssOrdemServico.get(), nullptr);
    }
    EstiloQueNotaPaletas notadas_;
    PaletasDesenhadas* estilo_ = notadas_.estilo;
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
