#pragma once
// The label printer's port: where it is kept (a small settings file of the
// system folder), how the user picks it, and the port opened as a text file
// that receives the printer's command lines.

#include <QString>

#include <cstdio>
#include <stdexcept>

class QFile;

// A file of the system folder (sCaminhoSistema, or the default one when it
// is empty); a name with a folder of its own is returned as it is.
QString ArquivoPastaSistema(const QString& arquivo);

// The printer port kept in <arquivo> of the system folder, a two-line file:
// the section line (secao, as given, "[...]") and the port. Modo "GRAVA" asks
// the user for the port (the devices found, or any path typed: a printer
// device, a file, a named pipe, or "|command" to hand the lines to a
// program's input) and writes the file; true with the port chosen, false
// when cancelled (the file stays as it was). Modo "CARREGA" reads the port;
// with none stored yet it asks as "GRAVA" does. Any other mode: false.
bool VerificaPortaImpressora(QString& porta, const QString& modo, const QString& arquivo, const QString& secao);

// The device files a label printer may be on (USB and parallel printers,
// serial ports), those present on this machine.
QStringList PortasImpressoraEncontradas();

// An input/output failure of the port; the message names the port.
class ErroPortaImpressora : public std::runtime_error {
public:
    explicit ErroPortaImpressora(const QString& mensagem)
        : std::runtime_error(mensagem.toStdString()), mensagem_(mensagem) {}
    QString mensagem() const { return mensagem_; }

private:
    QString mensagem_;
};

// The port opened for writing as a text file (a regular file is rewritten).
// Each line goes out at once, byte for byte as given; closing, or leaving
// the scope, releases the port. Failures raise ErroPortaImpressora.
class ArquivoPortaImpressora {
public:
    explicit ArquivoPortaImpressora(const QString& porta);
    ~ArquivoPortaImpressora();
    ArquivoPortaImpressora(const ArquivoPortaImpressora&) = delete;
    ArquivoPortaImpressora& operator=(const ArquivoPortaImpressora&) = delete;

    QString porta() const { return porta_; }
    bool aberto() const { return arquivo_ != nullptr; }
    // Writes the bytes and flushes them to the port.
    void escreve(const QByteArray& bytes);
    // Releases the port; a pipe's program is waited for. Closing twice does nothing.
    void fecha();

private:
    [[noreturn]] void falha(const QString& acao, int erro);

    QString porta_;
    std::FILE* arquivo_ = nullptr;
    bool comando_ = false;   // "|command": a pipe to a program
    void (*sinalAnterior_)(int) = nullptr;   // SIGPIPE's handler while the pipe is open
};
