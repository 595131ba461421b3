#include "host/UportaImpressora.h"

#include "host/HostLog.h"
#include "host/Udatamod.h"
#include "host/ui/Dialogs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextStream>

#include <cerrno>
#include <csignal>
#include <cstring>

QString ArquivoPastaSistema(const QString& arquivo)
{
    if (arquivo.contains('/') || QFileInfo(arquivo).isAbsolute())
        return arquivo;
    return QDir(sCaminhoSistema.isEmpty() ? host::defaultSystemFolder() : sCaminhoSistema).filePath(arquivo);
}

QStringList PortasImpressoraEncontradas()
{
    QStringList portas;
    const struct {
        const char* pasta;
        const char* padrao;
    } grupos[] = {{"/dev/usb", "lp*"}, {"/dev", "lp*"}, {"/dev", "ttyUSB*"}, {"/dev", "ttyACM*"}};
    for (const auto& grupo : grupos) {
        const QDir pasta(QString::fromLatin1(grupo.pasta));
        for (const QString& nome :
             pasta.entryList({QString::fromLatin1(grupo.padrao)}, QDir::System | QDir::Files, QDir::Name))
            portas << pasta.filePath(nome);
    }
    return portas;
}

namespace {

// The port that follows the section line; "" when the file has none.
QString portaGravada(const QString& caminho, const QString& secao)
{
    QFile arquivo(caminho);
    if (!arquivo.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QTextStream entrada(&arquivo);
    bool naSecao = false;
    while (!entrada.atEnd()) {
        const QString linha = entrada.readLine();
        if (naSecao)
            return linha.trimmed();
        naSecao = linha.trimmed().compare(secao.trimmed(), Qt::CaseInsensitive) == 0;
    }
    return {};
}

bool escolherPorta(QString& porta, const QString& caminho, const QString& secao)
{
    QString escolhida = porta.isEmpty() ? portaGravada(caminho, secao) : porta;
    if (!host::ui::Dialogs::chooseOrEnter("Porta da Impressora",
                                          "Selecione o dispositivo da impressora ou digite o caminho da porta:",
                                          PortasImpressoraEncontradas(), escolhida))
        return false;
    escolhida = escolhida.trimmed();
    if (escolhida.isEmpty())
        return false;
    QSaveFile arquivo(caminho);
    if (!arquivo.open(QIODevice::WriteOnly | QIODevice::Text))
        throw ErroPortaImpressora("Não foi possível gravar " + caminho + ": " + arquivo.errorString());
    QTextStream saida(&arquivo);
    saida << secao << '\n' << escolhida << '\n';
    saida.flush();
    if (!arquivo.commit())
        throw ErroPortaImpressora("Não foi possível gravar " + caminho + ": " + arquivo.errorString());
    porta = escolhida;
    return true;
}

}  // namespace

bool VerificaPortaImpressora(QString& porta, const QString& modo, const QString& arquivo, const QString& secao)
{
    const QString caminho = ArquivoPastaSistema(arquivo);
    const QString acao = modo.trimmed().toUpper();
    if (acao == "GRAVA")
        return escolherPorta(porta, caminho, secao);
    if (acao != "CARREGA")
        return false;
    const QString gravada = portaGravada(caminho, secao);
    if (!gravada.isEmpty()) {
        porta = gravada;
        return true;
    }
    return escolherPorta(porta, caminho, secao);
}

// ---- the port as a text file ----

ArquivoPortaImpressora::ArquivoPortaImpressora(const QString& porta) : porta_(porta.trimmed())
{
    if (porta_.isEmpty())
        throw ErroPortaImpressora("Porta da impressora não informada.");
    const QByteArray nome = porta_.toLocal8Bit();
    if (porta_.startsWith('|')) {
        comando_ = true;
        // A program that ends early must fail the write, not end the application.
        sinalAnterior_ = std::signal(SIGPIPE, SIG_IGN);
        arquivo_ = ::popen(nome.constData() + 1, "w");
    } else {
        arquivo_ = std::fopen(nome.constData(), "wb");
    }
    if (!arquivo_)
        falha("abrir", errno);
}

ArquivoPortaImpressora::~ArquivoPortaImpressora()
{
    try {
        fecha();
    } catch (const ErroPortaImpressora&) {
        // Leaving after another failure: the port is released all the same.
    }
}

void ArquivoPortaImpressora::escreve(const QByteArray& bytes)
{
    if (!arquivo_)
        throw ErroPortaImpressora("Porta da impressora fechada: " + porta_);
    if (std::fwrite(bytes.constData(), 1, size_t(bytes.size()), arquivo_) != size_t(bytes.size()) ||
        std::fflush(arquivo_) != 0)
        falha("gravar em", errno);
}

void ArquivoPortaImpressora::fecha()
{
    if (!arquivo_)
        return;
    std::FILE* arquivo = arquivo_;
    arquivo_ = nullptr;
    const int resultado = comando_ ? ::pclose(arquivo) : std::fclose(arquivo);
    if (comando_ && sinalAnterior_ != SIG_ERR)
        std::signal(SIGPIPE, sinalAnterior_);
    if (resultado != 0 && !comando_)
        falha("fechar", errno);
    if (comando_ && resultado != 0)
        throw ErroPortaImpressora("Erro de E/S: o comando da porta " + porta_ + " terminou com falha.");
}

void ArquivoPortaImpressora::falha(const QString& acao, int erro)
{
    throw ErroPortaImpressora("Erro de E/S ao " + acao + " " + porta_ + ": " +
                              QString::fromLocal8Bit(std::strerror(erro)));
}
