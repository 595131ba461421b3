#pragma once
// The statements of the service-order search, built from the filter fields
// alone: the list of order items, the list of each equipment's last order,
// and the count of order items. One condition line per filled field; typed
// text always goes in as a quoted literal.

#include "host/data/Field.h"

#include <QString>

struct FiltroPesquisaOS {
    // The twelve texts of the search, in the window's order.
    QString numero, serie, cliente, equipamento, tecnico, modelo, placa, codigoInterno, status, dataInicial,
        dataFinal, local;
    bool aprovado = false;

    int ordem = 0;                      // rgOrdem: 0 order number ... 6 exit date
    int onde = 1;                       // rgOnde: 0 starting with, 1 containing, 2 ending with
    bool ultimaOS = false;              // "Apenas Última OS"
    QString rotuloTecnico = "Técnico";  // or "Cor"
    QString rotuloModelo = "Modelo";    // or "Peça", "Situação Item"
    bool placaVisivel = false;
    QString rotuloPlaca = "Placa";      // or "Nº de Série"
    QString situacaoTexto;              // the situation box's text, and its key
    int situacaoChave = -1;
    // The item column chosen beside the number ("Pesquisa Por Itens").
    bool camposItemVisivel = false;
    QString campoItem;
    host::data::FieldType tipoCampoItem = host::data::FieldType::String;
    // Any header column with its value.
    QString campoOS;
    host::data::FieldType tipoCampoOS = host::data::FieldType::String;
    QString valorAlternativo;
    QString situacaoExceto, marca;
    bool modoVeiculo = false;           // ATMODOVEICULO "O"
    QString tecnicoRestrito;            // the user's name when only the user's orders show
    QString filtroFilial;               // the host's branch restriction line
};

struct SQLPesquisaOS {
    QString consulta;   // the list of the mode (items, or last orders)
    QString contagem;   // the count of order items
};

// "Começando com", "Contendo", "Terminando com": the pattern of a typed text.
QString PadraoPesquisaOS(const FiltroPesquisaOS& filtro, const QString& texto);
SQLPesquisaOS MontaSQLPesquisaOS(const FiltroPesquisaOS& filtro);
// Whether the count's lines are the list's own (every look-up joined by its
// key, one row at most), so that the list's rows are the rows it counts.
bool ContagemIgualALista(const FiltroPesquisaOS& filtro);

// The ordering column of each choice of "Ordenar por".
QString ColunaOrdemPesquisaOS(int ordem);
