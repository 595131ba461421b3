#pragma once
// The host's automated form tester FmTesteAutomatizado: a package hands it
// its classes one by one, each with the variable that holds its instance;
// the tester creates the class into the variable, shows and closes a window
// (a data module is only created), frees the instance, empties the variable
// and records the outcome. An instance already in the variable belongs to
// the running application: it is checked to be there and left alone.
//
//   FmTesteAutomatizado.create()->Iniciar();
//   FmTesteAutomatizado->TestaForm("TfmAssTecnico", fmAssTecnico, true);
//   FmTesteAutomatizado->Finalizar();     // logs and shows the report

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

#include <QList>
#include <QString>

#include <functional>

class QPlainTextEdit;

class TFmTesteAutomatizado : public host::ui::Form {
    Q_OBJECT
public:
    explicit TFmTesteAutomatizado(QWidget* parent = nullptr);

    struct Resultado {
        QString classe;
        bool sucesso = false;
        QString mensagem;      // what failed, or how the class was tested
    };

    // What the tester needs of a class and its variable.
    struct Alvo {
        std::function<bool()> atribuido;          // does the variable hold an instance?
        std::function<void()> criar;              // creates the class into the variable
        std::function<host::ui::Form*()> janela;  // the instance as a window (nullptr: not one)
        std::function<void()> liberar;            // frees the instance and empties the variable
    };

    // A window class held in a window variable.
    template <class T>
    void TestaForm(const QString& classe, host::ui::FormVar<T>& variavel, bool bJanela)
    {
        Alvo alvo;
        alvo.atribuido = [&variavel] { return variavel.get() != nullptr; };
        alvo.criar = [&variavel] { variavel.create(); };
        alvo.janela = [&variavel]() -> host::ui::Form* { return variavel.get(); };
        alvo.liberar = [&variavel] {
            if (T* form = variavel.get())
                form->release();
            variavel.clear();
        };
        Testar(classe, alvo, bJanela);
    }

    // A data module held in its variable (get(), create(owner), free()).
    template <class Variavel>
    void TestaForm(const QString& classe, Variavel& variavel, bool bJanela)
    {
        Alvo alvo;
        alvo.atribuido = [&variavel] { return variavel.get() != nullptr; };
        alvo.criar = [&variavel] { variavel.create(nullptr); };
        alvo.janela = [] { return static_cast<host::ui::Form*>(nullptr); };
        alvo.liberar = [&variavel] { variavel.free(); };
        Testar(classe, alvo, bJanela);
    }

    void Testar(const QString& classe, const Alvo& alvo, bool bJanela);

    void Iniciar();        // forgets earlier results
    void Finalizar();      // logs the summary and shows the report
    const QList<Resultado>& Resultados() const { return resultados_; }
    int Falhas() const;
    bool Sucesso() const { return !resultados_.isEmpty() && Falhas() == 0; }
    // One line per class ("OK TfmAssTecnico" / "ERRO TfmAssTecnico: ..."), then the totals.
    QString Relatorio() const;

    QPlainTextEdit* meRelatorio = nullptr;

private:
    QString Total() const;   // "Classes testadas: n; falhas: m"
    QString testarJanela(host::ui::Form& form);
    void registrar(const QString& classe, bool sucesso, const QString& mensagem);

    QList<Resultado> resultados_;
};

extern host::ui::FormVar<TFmTesteAutomatizado> FmTesteAutomatizado;
