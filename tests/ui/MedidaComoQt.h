#pragma once
// Our controls that keep their measures must give the sizes Qt gives its own
// control of the same text (or items) and look.

#include <QComboBox>
#include <QString>
#include <QStringList>

#include <functional>
#include <string>

#include <gtest/gtest.h>

namespace medida {

inline void preenche(QComboBox& lista, const QStringList& itens) { lista.addItems(itens); }
template <class Controle>
void preenche(Controle& controle, const QString& texto)
{
    controle.setText(texto);
}

inline std::string descreve(const QString& texto) { return texto.toStdString(); }
inline std::string descreve(const QStringList& itens) { return itens.join('|').toStdString(); }

template <class Nosso, class DoQt, class Conteudo>
void confereComoQt(const Conteudo& conteudo, const std::function<void(DoQt&)>& ajuste, const char* caso)
{
    // One of the same content with the plain look is measured first: its
    // sizes must not be handed to the other look.
    Nosso simples(conteudo);
    (void)simples.minimumSizeHint();
    DoQt qt;
    preenche(qt, conteudo);
    Nosso nosso(conteudo);
    ajuste(qt);
    ajuste(nosso);
    EXPECT_EQ(nosso.sizeHint(), qt.sizeHint()) << caso << " " << descreve(conteudo);
    EXPECT_EQ(nosso.minimumSizeHint(), qt.minimumSizeHint()) << caso << " " << descreve(conteudo);
}

}  // namespace medida
