// Field presentation of the contract datasets (formats, masks, required and
// read-only fields) and their text handlers.

#include "contract_data/uDataTecCont.h"
#include "contract_data/uDataTecContLocacao.h"

#include "contract_data/uDataTecContLegendas.h"
#include "host/OpcaoDigitada.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/data/Field.h"
#include "host/data/Format.h"

#include <utility>

using host::data::Field;
using host::data::FieldType;

namespace {

const char* const kMoeda = "###,###,##0.00";

void formato(host::data::Query* query, const QStringList& campos, const QString& display, const QString& mask = {})
{
    for (const QString& campo : campos) {
        Field* field = query->fieldByName(campo);
        if (!display.isEmpty())
            field->setDisplayFormat(display);
        if (!mask.isEmpty())
            field->setEditMask(mask);
    }
}

bool dataZero(const QDateTime& data)
{
    return data.isValid() && data.date() == uDataTecContLocacao::dataZero().date();
}

}  // namespace

void TdmTecContrato::ligarApresentacao()
{
    // Every money value of the header, the item values and the compositions.
    for (host::data::Query* query : {quCtrCadastro, quCtrCadastroCM})
        for (Field* field : query->fields())
            if (field->dataType() == FieldType::Float)
                field->setDisplayFormat(kMoeda);
    formato(quCtrObjeto, {"AJVALOR"}, kMoeda);
    formato(quCtrCadastroIt,
            {"ACITVALORUNITARIO", "ACITDESCONTO", "ACITVALOR", "ACITVALOREXCEDENTE", "ACITFRETE", "ACITVALORMULTA",
             "ValorDividido"},
            kMoeda);
    formato(quCtrCadastroIt, {"ACITQUANTIDADE"}, "###,###,##0.####");
    formato(quCtrCadastroIt, {"ACITVALORPERCENTUAL", "ACITGARANTIAPERCENTUAL"}, "0.00");
    formato(quCtrCadastroIt, {"ACITDATAENCERRAMENTO", "ACITDATAENTREGA"}, "DD/MM/YY", "!99/99/00;1;_");
    for (host::data::Query* vista : {quCtrEquipLocacao, quCtrAcessLocacao})
        formato(vista, {"ACITDATAENCERRAMENTO", "ACITDATAENTREGA"}, "DD/MM/YY", "!99/99/00;1;_");
    formato(quCtrCadastroIt, {"ACITGARANTIADATA", "ACITINSTALACAO"}, {}, "!99/99/99;1;_");
    formato(quCtrCadastroIt, {"ACITHORAENTRADA", "ACITHORASAIDA"}, "HH:NN:SS", "!90:00:00;1;_");

    quCtrCobertura->fieldByName("ABCODIGO")->setRequired(true);
    quCtrObjeto->fieldByName("AJCODIGO")->setRequired(true);
    quCtrCadastroIt->fieldByName("CLCODIGO")->setRequired(true);
    quCtrCadastroIt->fieldByName("PRCODIGO")->setRequired(true);
    // An equipment row under contract names its model.
    quCtrCadastroEquip->fieldByName("AECODIGO")->setRequired(true);
    // The franchise list shows its columns by name; the key and the
    // contract are the program's, the group's description its look-up's.
    const std::pair<const char*, const char*> franquias[] = {
        {"FGCODIGO", "Código"},         {"COCODIGO", "Grupo"},  {"CODESCRICAO", "Descrição do Grupo"},
        {"FGFRANQUIA", "Franquia"},     {"FGVALORDOEXC", "Valor do Excedente"}, {"ACCODIGO", "Contrato"}};
    for (const auto& [coluna, titulo] : franquias)
        QuFranquiaPorGrupo->fieldByName(coluna)->setDisplayLabel(titulo);
    for (const char* coluna : {"FGCODIGO", "ACCODIGO", "CODESCRICAO"})
        QuFranquiaPorGrupo->fieldByName(coluna)->setReadOnly(true);
    // Editable only under the option of delivered and returned items (on open).
    quCtrCadastroIt->fieldByName("ACITENCERRADO")->setReadOnly(true);
}

void TdmTecContrato::ligarTextos()
{
    for (const uDataTecCont::Mapeamento& m : uDataTecCont::mapeamentos()) {
        auto* query = find<host::data::Query>(m.dataset);
        for (const QString& campo : m.campos) {
            Field* field = query->fieldByName(campo);
            // A null code has its caption too ("Nenhum", "Item", "Não"...).
            field->onGetText = [&m](Field& f, QString& text, bool) { text = m.texto(f.asString()); };
            field->onSetText = [&m](Field& f, const QString& text) {
                QString codigo = m.codigo(text);
                // The stored code written back as it is (one no option names) stays.
                if (codigo.isEmpty() && text.trimmed().compare(f.asString().trimmed(), Qt::CaseInsensitive) == 0)
                    codigo = f.asString();
                if (codigo.isEmpty() && !text.trimmed().isEmpty())
                    host::RecusaOpcaoDigitada(f, text);
                if (codigo.isEmpty())
                    f.clear();
                else
                    f.setAsString(codigo);
            };
        }
    }

    // Hour credit: stored in minutes, shown and typed in hours.
    Field* horaCredito = quCtrCadastro->fieldByName("ACHORACREDITO");
    horaCredito->onGetText = [](Field& f, QString& text, bool) {
        const int minutos = f.asInteger();
        text = minutos > 0 ? host::data::formatFloat("###,###,###,###,##0.00", minutos / 60.0) : QString();
    };
    horaCredito->onSetText = [](Field& f, const QString& text) {
        if (text.trimmed().isEmpty())
            return;
        double horas = 0;
        if (!host::data::parseFloatText(text.trimmed(), horas))
            throw host::data::DatasetError(QString("'%1' não é um valor numérico válido.").arg(text));
        if (horas >= 0)
            f.setAsFloat(horas * 60);
    };

    // Instalment value: cut to cents as typed; a text that is no number
    // (an empty one included) only warns and the value stays. A value the
    // header's post would replace (not fixed) is refused with the reason,
    // never replaced in silence.
    quCtrCadastro->fieldByName("ACVALORPARCELA")->onSetText = [this](Field& f, const QString& text) {
        double valor = 0;
        if (text.trimmed().isEmpty() || !host::data::parseFloatText(text.trimmed(), valor)) {
            dmGlobal->MostraAviso(QString("Valor %1 inválido.").arg(text), false);
            return;
        }
        const double digitado = Trunc2Casas(valor);
        const double pelaRegra = CtrValorParcelaPelaRegra(digitado);
        if (qRound64(pelaRegra * 100) != qRound64(digitado * 100)) {
            const QString formato = "###,###,##0.00";
            const QString fixar = quCtrCadastro->fieldByName("ACVALORFIXO")->displayText().trimmed();
            dmGlobal->MostraAviso("Com \"Fixar Valor\" \"" + fixar +
                                      "\" o \"Valor Parcela\" é o dos itens do contrato (" +
                                      host::data::formatFloat(formato, pelaRegra) + "), não " +
                                      host::data::formatFloat(formato, digitado) +
                                      ". Para manter o valor digitado, escolha \"Sim\" em \"Fixar Valor\".",
                                  false);
            return;
        }
        f.setAsFloat(digitado);
    };

    // No billing object is shown as none, not as an object 0.
    quCtrCadastro->fieldByName("AJCODIGO")->onGetText = [](Field& f, QString& text, bool) {
        if (!f.isNull() && f.asInteger() == 0)
            text.clear();
    };
    // The printed contract names its billing customer beside the code.
    quCtrCadastro->fieldByName("NOMECLIENTE")->setDisplayLabel("Nome Cliente (Cobrança)");

    auto validaData = [this](Field& f, const QString& text) { ValidaData(f, text); };
    for (const char* campo : {"ACDATAVALIDADE", "ACDATAIMPLANTACAO", "ACDATARENOVACAO"})
        quCtrCadastro->fieldByName(campo)->onSetText = validaData;
    quCtrCadastroEquip->fieldByName("CODATACOMPRA")->onSetText = validaData;

    // Dates that show nothing for the zero date; typed with the whole year.
    for (const char* campo : {"ACITDATAENCERRAMENTO", "ACITDATAENTREGA"})
        quCtrCadastroIt->fieldByName(campo)->onGetText = [](Field& f, QString& text, bool display) {
            text = f.isNull() || dataZero(f.asDateTime())
                ? QString()
                : host::data::formatDateTime(display ? "DD/MM/YY" : "DD/MM/YYYY", f.asDateTime());
        };
    quCtrVeiculo->fieldByName("ACEVDATAFIM")->onGetText = [](Field& f, QString& text, bool) {
        if (!f.isNull() && host::data::formatDateTime("DD/MM/YYYY", f.asDateTime()) == "30/12/1899")
            text.clear();
    };
    for (const char* campo : {"DataPedido", "DataProposta"})
        quCtrCadastro->fieldByName(campo)->onGetText = [](Field& f, QString& text, bool) {
            if (!f.isNull() && dataZero(f.asDateTime()))
                text.clear();
        };
}

void TdmTecContrato::ValidaData(Field& field, const QString& text)
{
    if (text == "  /  /  " || text.trimmed().isEmpty()) {
        field.clear();
        return;
    }
    QDateTime data;
    if (!host::data::parseDateTimeText(text.trimmed(), data))
        dmGlobal->MostraErro("Data informada inválida.");
    field.setAsDateTime(data);
}

void DefineDescricaoUnida(host::data::Dataset& dataset, const char* campo, const QVariant& valor)
{
    Field* field = dataset.fieldByName(campo);
    const bool somenteLeitura = field->readOnly();
    field->setReadOnly(false);
    field->setValue(valor);
    field->setReadOnly(somenteLeitura);
}
