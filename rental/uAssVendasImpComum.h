#pragma once
// What the two printed assistance orders share: the order's header and line
// queries, the company page header, the line groups ("Equipamentos", then
// "Equipamentos Configurados"), the line's value, serial list and
// description, and the change log at the foot of every page. The production
// order (TqrAssVendasImp) and the rental order (TqrAssVendasImp2) add their
// title band. The report is created once and kept for later prints.

#include "host/ui/Form.h"

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>

#include <initializer_list>
#include <memory>

namespace host::data {
class Query;
}
namespace host::report {
class Band;
class DataText;
class Label;
class Memo;
class Report;
class RichText;
}  // namespace host::report

// The rules of a printed line, apart from the report that prints it.
namespace uAssVendasImpRegras {

// The group of the requested lines, padded as the item query gives it.
QString TipoSolicitados();
inline const QString kTipoConfigurados = QStringLiteral("Equipamentos Configurados");

// A generic product is either of the two configured generic codes.
bool ProdutoGenerico(const QString& produto, const QString& generico1, const QString& generico2);
// The line's value prints for products that are not generic and lines that
// are not complements.
bool ValorImpresso(const QString& produto, const QString& complemento, const QString& generico1,
                   const QString& generico2);
// The sequence under which a line's own text is stored with the order:
// the line's COD for a requested line, minus COD for a configured one.
int SequenciaTextoLinha(const QString& tipo, int cod);

struct DescricaoLinha {
    QString modo;               // ATMODOPEDIDOASSISTENCIA
    bool generico = false;
    QString descricaoEquip;     // DESCRICAOEQUIP of the line
    QString textoLinha;         // the line's own text (AUGC70OB "V" at its sequence)
    QString descricaoCadastro;  // the product register's DESCRICAO
};
// The description printed for the line.
QString Descricao(const DescricaoLinha& linha);

// One line of the change log: "DD/MM/YY hh:mm user action".
QString LinhaControleAlteracao(const QDateTime& data, const QDateTime& hora, const QString& usuario,
                               const QString& acao);
// The height of the change-log text (screen units): 25, and 25 more per entry.
int AlturaControleAlteracoes(int entradas);

}  // namespace uAssVendasImpRegras

class TqrAssVendasImpBase : public host::ui::Form {
    Q_OBJECT
public:
    ~TqrAssVendasImpBase() override;

    std::unique_ptr<host::report::Report> QuickRep1;
    std::unique_ptr<host::data::Query> quImpPedido;
    std::unique_ptr<host::data::Query> quImpEquip;

    host::report::Band* qrbnCabecalho = nullptr;
    host::report::Band* qrbnTitulo = nullptr;
    host::report::Band* qrbnGrupo = nullptr;
    host::report::Band* qrbnEquipamentos = nullptr;
    host::report::Band* qrbnRodape = nullptr;
    host::report::Label* qrlaTitulo = nullptr;
    host::report::Label* qrlaTitSerie = nullptr;
    host::report::Label* qrlaTitValor = nullptr;
    host::report::DataText* qrteValor = nullptr;
    host::report::Memo* qrmeSerie = nullptr;
    host::report::RichText* qrmeDescricao = nullptr;
    host::report::RichText* qrrtControleAlteracao = nullptr;

    // Loads the order (NUMERO_PEDIDO), lays it out and opens the host's viewer.
    void Visualizar(const QString& pedido);

protected:
    // The production order logs its queries' openings and prints the value
    // and serial captions of the configured lines only.
    TqrAssVendasImpBase(QWidget* parent, const QString& titulo, bool producao, const QString& colunasCabecalho);

    // Title-band helpers: a bold caption and the header field beside it.
    host::report::Label* rotulo(host::report::Band& band, double left, double top, double width,
                                const QString& caption);
    host::report::DataText* campo(host::report::Band& band, const QString& nome, double left, double top,
                                  double width);
    // A caption and its header field, as the order form places them.
    struct CampoTitulo {
        const char* rotulo;
        const char* campo;
        double left;
        double top;
        double largura;
    };
    // The title band's captions and fields (dates and the supplies' value
    // formatted), by field name.
    QHash<QString, host::report::DataText*> camposTitulo(host::report::Band& band,
                                                         std::initializer_list<CampoTitulo> campos);
    bool producao() const { return producao_; }

private:
    void criarCabecalho(const QString& titulo);
    void criarGrupo();
    void criarLinhas();
    void criarRodape();
    void carregarTextos(const QString& pedido);
    void QuickRep1BeforePrint();
    void qrbnGrupoBeforePrint();
    void qrbnEquipamentosBeforePrint();
    QStringList seriaisDaLinha(const QString& produto);

    bool producao_;
    QString pedido_;
    QString modo_, generico1_, generico2_;
    QHash<int, QString> textosLinha_;            // AUGC70OB "V" of the order by sequence
    QHash<QString, QString> descricoesCadastro_; // product -> DESCRICAO (mode "E")
    QStringList controleAlteracoes_;
    std::unique_ptr<host::data::Query> quSerie_;
};
