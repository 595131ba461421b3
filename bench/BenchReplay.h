#pragma once
// The replay reference of the batch benchmarks: a recorder that keeps what a
// run of ours asked of the engine (each statement's text, its parameters as
// the message sent, the rows fetched, the commits) and a replay of that
// record through the engine's object interface on an attachment of its own.
// Ours against the replay is what our layers cost over the same statements;
// ours against the fewest direct writes also counts the statements the rules
// add.

#include "host/db/EngineWatcher.h"

#include <firebird/Interface.h>
#include <ibase.h>

#include <QByteArray>
#include <QHash>
#include <QString>

#include <cstring>
#include <map>
#include <stdexcept>
#include <vector>

namespace bench {

// Watches the engine calls of the whole process (the texts of statements
// prepared before a recording are needed to replay it) and keeps the calls
// made between gravar() and parar(). A recorder made while another watches
// passes every call on to it: each keeps a run of its own, both hear all.
class Gravador : public host::db::EngineWatcher {
public:
    enum class Tipo { Prepara, Executa, Busca, Fecha, Fim };
    struct Evento {
        Tipo tipo;
        std::uint64_t comando;     // preparation number (Fim: none)
        std::uint64_t transacao;   // start number (Busca, Fecha: none)
        std::size_t indice;        // Executa: the message; Busca: rows; Fim: how
    };
    struct Mensagem {
        Firebird::IMessageMetadata* meta;
        std::vector<unsigned char> bytes;
        std::vector<BlobParam> blobs;
    };

    Gravador()
    {
        anterior_ = host::db::watchEngine(this);
        host::db::rewatchEngineRuns();
    }
    ~Gravador() override
    {
        host::db::watchEngine(anterior_);
        limpa();
    }
    Gravador(const Gravador&) = delete;
    Gravador& operator=(const Gravador&) = delete;

    void gravar()
    {
        limpa();
        gravando_ = true;
        host::db::rewatchEngineRuns();
    }
    void parar()
    {
        gravando_ = false;
        host::db::rewatchEngineRuns();
    }
    // Between recordings only the preparations and the ends matter (the
    // texts to replay, the commits counted): ours is then measured without
    // the recorder's calls.
    bool wantsRuns() const override { return gravando_ || (anterior_ && anterior_->wantsRuns()); }

    const std::vector<Evento>& eventos() const { return eventos_; }
    // The commits of the whole process so far, recording or not (both sides
    // of a comparison are counted alike).
    std::uint64_t commits() const { return commits_; }
    const Mensagem& mensagem(std::size_t i) const { return mensagens_[i]; }
    QByteArray texto(std::uint64_t comando) const { return textos_.value(comando); }
    std::size_t execucoes() const { return mensagens_.size(); }

    void prepared(std::uint64_t comando, std::uint64_t transacao, const QByteArray& sql) override
    {
        if (anterior_)
            anterior_->prepared(comando, transacao, sql);
        textos_.insert(comando, sql);
        if (gravando_)
            eventos_.push_back({Tipo::Prepara, comando, transacao, 0});
    }
    void executed(std::uint64_t comando, std::uint64_t transacao, Firebird::IMessageMetadata* entrada,
                  std::span<const unsigned char> mensagem, std::span<const BlobParam> blobs) override
    {
        if (anterior_)
            anterior_->executed(comando, transacao, entrada, mensagem, blobs);
        if (!gravando_)
            return;
        entrada->addRef();
        mensagens_.push_back({entrada, {mensagem.begin(), mensagem.end()}, {blobs.begin(), blobs.end()}});
        eventos_.push_back({Tipo::Executa, comando, transacao, mensagens_.size() - 1});
    }
    void fetched(std::uint64_t comando) override
    {
        if (anterior_)
            anterior_->fetched(comando);
        if (!gravando_)
            return;
        // Consecutive fetches of one cursor are one event.
        if (!eventos_.empty() && eventos_.back().tipo == Tipo::Busca && eventos_.back().comando == comando)
            ++eventos_.back().indice;
        else
            eventos_.push_back({Tipo::Busca, comando, 0, 1});
    }
    void cursorClosed(std::uint64_t comando) override
    {
        if (anterior_)
            anterior_->cursorClosed(comando);
        if (gravando_)
            eventos_.push_back({Tipo::Fecha, comando, 0, 0});
    }
    void ended(std::uint64_t transacao, End como) override
    {
        if (anterior_)
            anterior_->ended(transacao, como);
        if (como == End::Commit || como == End::CommitRetaining)
            ++commits_;
        if (gravando_)
            eventos_.push_back({Tipo::Fim, 0, transacao, std::size_t(como)});
    }

private:
    void limpa()
    {
        for (Mensagem& m : mensagens_)
            m.meta->release();
        mensagens_.clear();
        eventos_.clear();
    }

    host::db::EngineWatcher* anterior_ = nullptr;
    bool gravando_ = false;
    std::uint64_t commits_ = 0;
    QHash<std::uint64_t, QByteArray> textos_;
    std::vector<Evento> eventos_;
    std::vector<Mensagem> mensagens_;
};

// Runs a record through the engine's object interface, on ours' attachment
// (the same page cache: the engine keeps one per attachment) or on one of
// its own, as a program that calls the engine directly would: each
// statement prepared where ours prepared it (every replay of the record: a
// text ours builds afresh in every run, such as a list of the run's own
// numbers, is prepared in every run of ours) and kept while ours kept it,
// each message sent as it was, each blob parameter written, each cursor
// fetched as far as ours fetched it, each commit made. Each transaction of
// ours is one of its own, started at its first use.
class Reproducao {
public:
    explicit Reproducao(Firebird::IAttachment* att) : att_(att) {}
    explicit Reproducao(const QString& path) : proprio_(true)
    {
        using namespace Firebird;
        IXpbBuilder* dpb = master_->getUtilInterface()->getXpbBuilder(&st_, IXpbBuilder::DPB, nullptr, 0);
        dpb->insertString(&st_, isc_dpb_user_name, "SYSDBA");
        dpb->insertString(&st_, isc_dpb_lc_ctype, "UTF8");
        att_ = master_->getDispatcher()->attachDatabase(&st_, path.toUtf8().constData(), dpb->getBufferLength(&st_),
                                                        dpb->getBuffer(&st_));
        dpb->dispose();
    }
    ~Reproducao()
    {
        termina();
        for (auto& [serial, c] : comandos_)
            libera(c);
        if (proprio_)
            att_->detach(&st_);
        status_->dispose();
    }
    Reproducao(const Reproducao&) = delete;
    Reproducao& operator=(const Reproducao&) = delete;

    // What a run of ours asked, asked again (the clock runs over this only).
    void reproduz(const Gravador& gravacao)
    {
        using T = Gravador::Tipo;
        for (const Gravador::Evento& e : gravacao.eventos()) {
            try {
                switch (e.tipo) {
                case T::Prepara: prepara(gravacao, e.comando, e.transacao); break;
                case T::Executa: executa(gravacao, e); break;
                case T::Busca: busca(e.comando, e.indice); break;
                case T::Fecha: fecha(e.comando); break;
                case T::Fim: fim(e.transacao, host::db::EngineWatcher::End(e.indice)); break;
                }
            } catch (const Firebird::FbException& erro) {
                char texto[1024];
                master_->getUtilInterface()->formatStatus(texto, sizeof texto, erro.getStatus());
                throw std::runtime_error("replay of \"" + gravacao.texto(e.comando).toStdString() + "\": " + texto);
            }
        }
    }

    // Closes what the record left open and commits what it left pending, so
    // that the next round finds the rows as ours would leave them.
    void termina()
    {
        for (auto& [serial, c] : comandos_)
            fecha(serial);
        for (auto& [serial, t] : transacoes_)
            t->commit(&st_);
        transacoes_.clear();
    }

private:
    struct Comando {
        Firebird::IStatement* stmt = nullptr;
        unsigned tipo = 0;
        Firebird::IMessageMetadata* saida = nullptr;
        std::vector<unsigned char> linha;
        Firebird::IResultSet* cursor = nullptr;
        bool select() const { return tipo == isc_info_sql_stmt_select || tipo == isc_info_sql_stmt_select_for_upd; }
    };

    Firebird::ITransaction* transacao(std::uint64_t serial)
    {
        auto it = transacoes_.find(serial);
        if (it != transacoes_.end())
            return it->second;
        // As host/db's: read committed, record versions, no wait.
        static const unsigned char tpb[] = {isc_tpb_version3, isc_tpb_write, isc_tpb_read_committed,
                                            isc_tpb_rec_version, isc_tpb_nowait};
        return transacoes_[serial] = att_->startTransaction(&st_, sizeof tpb, tpb);
    }

    // A preparation of the record, made again in every replay (the handle
    // of the replay before goes, as ours let its statement go).
    void prepara(const Gravador& gravacao, std::uint64_t serial, std::uint64_t tra)
    {
        auto it = comandos_.find(serial);
        if (it != comandos_.end()) {
            libera(it->second);
            comandos_.erase(it);
        }
        comando(gravacao, serial, tra);
    }

    void libera(Comando& c)
    {
        if (c.cursor)
            c.cursor->close(&st_);
        c.cursor = nullptr;
        if (c.saida)
            c.saida->release();
        c.stmt->free(&st_);
    }

    // A statement prepared before the recording (ours kept it from an
    // earlier run) is prepared at its first use and kept.
    Comando& comando(const Gravador& gravacao, std::uint64_t serial, std::uint64_t tra)
    {
        auto it = comandos_.find(serial);
        if (it != comandos_.end())
            return it->second;
        const QByteArray sql = gravacao.texto(serial);
        if (sql.isEmpty())
            throw std::runtime_error("replay: statement " + std::to_string(serial) + " prepared unwatched");
        Comando c;
        c.stmt = att_->prepare(&st_, transacao(tra), unsigned(sql.size()), sql.constData(), 1,
                               Firebird::IStatement::PREPARE_PREFETCH_METADATA);
        c.tipo = c.stmt->getType(&st_);
        c.saida = c.stmt->getOutputMetadata(&st_);
        c.linha.assign(c.saida->getMessageLength(&st_), 0);
        if (c.saida->getCount(&st_) == 0) {
            c.saida->release();
            c.saida = nullptr;
        }
        return comandos_[serial] = std::move(c);
    }

    void executa(const Gravador& gravacao, const Gravador::Evento& e)
    {
        Comando& c = comando(gravacao, e.comando, e.transacao);
        Firebird::ITransaction* tra = transacao(e.transacao);
        const Gravador::Mensagem& m = gravacao.mensagem(e.indice);
        mensagem_.assign(m.bytes.begin(), m.bytes.end());
        for (const host::db::EngineWatcher::BlobParam& b : m.blobs) {
            ISC_QUAD id;
            Firebird::IBlob* blob = att_->createBlob(&st_, tra, &id, 0, nullptr);
            for (qsizetype pos = 0; pos < b.bytes.size(); pos += 32 * 1024) {
                const auto n = unsigned(std::min<qsizetype>(32 * 1024, b.bytes.size() - pos));
                blob->putSegment(&st_, n, b.bytes.constData() + pos);
            }
            blob->close(&st_);
            std::memcpy(mensagem_.data() + b.offset, &id, sizeof id);
        }
        if (c.select()) {
            fecha(e.comando);
            c.cursor = c.stmt->openCursor(&st_, tra, m.meta, mensagem_.data(), c.saida, 0);
        } else {
            c.stmt->execute(&st_, tra, m.meta, mensagem_.data(), c.saida, c.saida ? c.linha.data() : nullptr);
        }
    }

    void busca(std::uint64_t serial, std::size_t linhas)
    {
        Comando& c = comandos_.at(serial);
        for (std::size_t i = 0; i < linhas && c.cursor; ++i)
            if (c.cursor->fetchNext(&st_, c.linha.data()) != Firebird::IStatus::RESULT_OK)
                break;
    }

    void fecha(std::uint64_t serial)
    {
        auto it = comandos_.find(serial);
        if (it == comandos_.end() || !it->second.cursor)
            return;
        it->second.cursor->close(&st_);
        it->second.cursor = nullptr;
    }

    void fim(std::uint64_t serial, host::db::EngineWatcher::End como)
    {
        using End = host::db::EngineWatcher::End;
        Firebird::ITransaction* tra = transacao(serial);
        switch (como) {
        case End::CommitRetaining: tra->commitRetaining(&st_); return;
        case End::RollbackRetaining: tra->rollbackRetaining(&st_); return;
        case End::Commit: tra->commit(&st_); break;
        case End::Rollback: tra->rollback(&st_); break;
        }
        transacoes_.erase(serial);
    }

    Firebird::IMaster* master_ = Firebird::fb_get_master_interface();
    Firebird::IStatus* status_ = master_->getStatus();
    Firebird::ThrowStatusWrapper st_{status_};
    Firebird::IAttachment* att_ = nullptr;
    bool proprio_ = false;   // attached here, detached at the end
    std::map<std::uint64_t, Comando> comandos_;
    std::map<std::uint64_t, Firebird::ITransaction*> transacoes_;
    std::vector<unsigned char> mensagem_;
};

}  // namespace bench
