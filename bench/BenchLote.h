#pragma once
// What the batch benchmarks share: rounds of ours (recorded) and its replay
// through the engine's interface, against the fewest direct writes that give
// the same rows through host/db, each from the same data, on a database of
// each kind of writing; and how their figures are printed.

#include "bench/BenchFirebird.h"
#include "bench/BenchReplay.h"
#include "data/uDataTec.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/db/FbApi.h"
#include "host/ui/ScriptedDialogs.h"

#include <QApplication>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace bench {

// The engine attachment under a transaction of ours: the replay runs on it.
inline Firebird::IAttachment* anexoDe(host::db::Transaction& tr)
{
    return tr.connection().impl()->attachment;
}

struct Comparacao {
    Tempos nosso, reproducao, direto;
    Tempos processadorNosso, processadorReproducao;   // processor time (user and system) of each
    Tempos processadorFioNosso;                       // ours' calling thread's alone
    std::uint64_t comandosNosso = 0, preparosNosso = 0, comandosDireto = 0;   // of the last round
    std::uint64_t commitsNosso = 0, commitsDireto = 0;                        // of the last round
};

// The rows a round deleted leave their old versions (and index entries) in
// place until a reader passes over them: every table is read once, so that
// the next round starts from the same state as the first instead of walking
// what the rounds before it deleted.
inline void recolheVersoes(host::db::Transaction& tr)
{
    tr.commit();
    QStringList tabelas;
    {
        host::db::Statement st(tr, "select trim(RDB$RELATION_NAME) from RDB$RELATIONS"
                                   " where RDB$SYSTEM_FLAG = 0 and RDB$VIEW_BLR is null");
        st.execute();
        while (st.fetch())
            tabelas << st.value(0).toString();
    }
    // Statements of their own: the reads between rounds leave what ours'
    // transaction keeps prepared as ours left it.
    for (const QString& t : tabelas) {
        host::db::Statement conta(tr, "select count(*) from " + t);
        conta.execute();
        conta.fetch();
    }
    tr.commit();
}

// A batch at a real company's size (executaLote): ours alone, run at that
// size and at a tenth of it, each on a database of its own made for it;
// what the rounds of each batch measured, and what its figures were
// printed as, in the order they were printed.
struct Crescimento {
    struct Medida {
        Comparacao c;
        int linhas = 0;
        QByteArray titulo, unidade;
    };
    bool medindo = false;
    // Ours' runs in each round: the tenth runs five times before the full
    // size and five after it, so that its runs span as much of the round as
    // the full size's and its median rests on as many samples as a passing
    // load can spoil.
    int vezes = 1;
    std::vector<Medida> medidas;
};
inline Crescimento& crescimento()
{
    static Crescimento atual;
    return atual;
}

// The rounds of a batch benchmark unless BENCH_ROUNDS says otherwise: short
// rounds, many of them, so that a passing load on the shared machine moves
// few of them and the medians of two runs agree; at a real company's size,
// ours alone, five long ones (the full size's median of three moved with
// a single round a load fell on).
inline int rodadasLote() { return rounds(crescimento().medindo ? 5 : 12); }

// One batch of a comparison: ours, with the recorder its run is kept in
// (a recorder of its own for each batch measured in the same rounds), the
// direct writes of the same rows, and what the rounds measured of them.
struct Lote {
    Gravador& gravador;
    std::function<void()> nosso, direto;
    Comparacao c = {};
    // Ours' runs in each round: a batch a tenth of another's size runs ten
    // times, so that its runs span as much of the round as the larger one's
    // and a passing load weighs on both alike.
    int vezesNosso = 1;
};

// Round after round, ours, its replay and the direct writes each once, in an
// order that changes every round (every side goes first, second and last
// alike over six rounds: the later of a round find the caches warmer and
// the machine's load is spread over the three), each after `prepara` has put
// the data back as it was and the versions it left behind are collected.
// Two runs of ours, not measured, come first: the first makes what only a
// first run makes (the numbers' counters, the statements kept prepared; a
// replay of it would insert those counters again), the second is the one
// recorded, whose statements the replay asks round after round (so the
// replay may go first, and ours' measured runs do not pay for the
// recording). The replay runs on ours' attachment (the same page cache).
// Several batches share the rounds (the batch going first changes every
// round), so that a load passing over the machine weighs on all of them.
inline void comparaLotes(int rodadas, host::db::Transaction& tr, const std::function<void()>& prepara,
                         const std::vector<Lote*>& lotes)
{
    auto repoe = [&] {
        prepara();
        recolheVersoes(tr);
    };
    for (Lote* l : lotes) {
        repoe();
        l->nosso();
    }
    auto ladoNosso = [&](Lote& l) {
        Comparacao& c = l.c;
        repoe();
        const std::uint64_t antes = host::db::statementCount(), preparosAntes = host::db::prepareCount();
        const std::uint64_t commitsAntes = l.gravador.commits();
        double decorrido = 0;
        double fio = 0;
        c.processadorNosso.add(processador([&] { fio = processadorDoFio([&] { decorrido = segundos(l.nosso); }); }));
        c.processadorFioNosso.add(fio);
        c.nosso.add(decorrido);
        c.comandosNosso = host::db::statementCount() - antes;
        c.preparosNosso = host::db::prepareCount() - preparosAntes;
        c.commitsNosso = l.gravador.commits() - commitsAntes;
    };
    if (crescimento().medindo) {
        for (int rodada = 0; rodada < rodadas; ++rodada)
            for (Lote* l : lotes)
                for (int vez = 0; vez < crescimento().vezes; ++vez)
                    ladoNosso(*l);
        return;
    }
    for (Lote* l : lotes) {
        repoe();
        l->gravador.gravar();
        l->nosso();
        l->gravador.parar();
    }
    std::vector<std::unique_ptr<Reproducao>> reproducoes;
    for (size_t i = 0; i < lotes.size(); ++i)
        reproducoes.push_back(std::make_unique<Reproducao>(anexoDe(tr)));
    auto ladoReproducao = [&](Lote& l, Reproducao& reproducao) {
        repoe();
        double decorrido = 0;
        l.c.processadorReproducao.add(
            processador([&] { decorrido = segundos([&] { reproducao.reproduz(l.gravador); }); }));
        l.c.reproducao.add(decorrido);
        reproducao.termina();
    };
    auto ladoDireto = [&](Lote& l) {
        repoe();
        const std::uint64_t antes = host::db::statementCount(), commitsAntes = l.gravador.commits();
        l.c.direto.add(segundos(l.direto));
        l.c.comandosDireto = host::db::statementCount() - antes;
        l.c.commitsDireto = l.gravador.commits() - commitsAntes;
    };
    const size_t n = lotes.size();
    for (int rodada = 0; rodada < rodadas; ++rodada)
        for (size_t k = 0; k < n; ++k) {
            const size_t i = (k + size_t(rodada)) % n;
            Lote& l = *lotes[i];
            const std::function<void()> lados[3] = {[&] {
                                                        for (int vez = 0; vez < l.vezesNosso; ++vez)
                                                            ladoNosso(l);
                                                    },
                                                    [&] { ladoReproducao(l, *reproducoes[i]); },
                                                    [&] { ladoDireto(l); }};
            emTurno(rodada, lados);
        }
}

// One batch in its rounds.
inline Comparacao comparaRodadas(int rodadas, Gravador& gravador, host::db::Transaction& tr,
                                 const std::function<void()>& prepara, const std::function<void()>& nosso,
                                 const std::function<void()>& direto)
{
    Lote lote{gravador, nosso, direto};
    comparaLotes(rodadas, tr, prepara, {&lote});
    return lote.c;
}

// The reference of the fewest direct writes: the goal of ours against them
// (and why it is set there, where the rules need some statements more), or,
// where the rules need many more statements than those writes (so that the
// ratio tells nothing of our layers), none, the statements per row the rules
// need (and those of the run itself, whatever its rows), and why.
struct Direta {
    double meta = 0;
    double comandosPorLinha = 0;
    double comandosDaExecucao = 0;
    const char* porque = "";
};

// The figures of one database: ours in rows per second; ours against the
// replay of its own statements (goal 1.5: what our layers cost); ours against
// the direct writes; the statements per row.
inline void imprimeLote(const char* titulo, Escrita escrita, const Comparacao& c, int linhas, const char* unidade,
                        const Direta& direta)
{
    if (Crescimento& k = crescimento(); k.medindo) {
        k.medidas.push_back({c, linhas, titulo, unidade});
        return;
    }
    const double nosso = c.nosso.mediana(), reproducao = c.reproducao.mediana(), direto = c.direto.mediana();
    std::printf("%s, %s: ours %.3fs (%.0f %s/s)\n", titulo, nomeDe(escrita), nosso, linhas / nosso, unidade);
    const double contraReproducao = nosso / reproducao;
    std::printf("  against the replay of its statements through the engine's interface: %.3fs (%.0f %s/s),"
                " ratio %.2f%s\n",
                reproducao, linhas / reproducao, unidade, contraReproducao, meta(contraReproducao, 1.5).constData());
    // Elapsed time above processor time is time spent waiting (the disk, a
    // lock, a core the machine's load took).
    std::printf("  processor time: ours %.3fs, the replay %.3fs, ratio %.2f\n", c.processadorNosso.mediana(),
                c.processadorReproducao.mediana(), c.processadorNosso.mediana() / c.processadorReproducao.mediana());
    const double contraDireto = nosso / direto;
    std::printf("  against the fewest direct writes through host/db: %.3fs (%.0f %s/s), ratio %.2f", direto,
                linhas / direto, unidade, contraDireto);
    if (direta.meta > 0)
        std::printf("%s%s%s%s\n", meta(contraDireto, direta.meta).constData(), *direta.porque ? " (" : "",
                    direta.porque, *direta.porque ? ")" : "");
    else
        std::printf(" (no goal: %s)\n", direta.porque);
    const double porLinha = double(c.comandosNosso) / linhas;
    std::printf("  statements per row: ours %.2f%s, prepares %.2f; direct writes %.2f\n", porLinha,
                direta.meta > 0 ? "" : meta(porLinha, direta.comandosPorLinha + direta.comandosDaExecucao / linhas).constData(),
                double(c.preparosNosso) / linhas, double(c.comandosDireto) / linhas);
    std::printf("  commits per row: ours %.2f; direct writes %.2f\n", double(c.commitsNosso) / linhas,
                double(c.commitsDireto) / linhas);
}

// The service module opened over the benchmark's database: dmGlobal, every
// message answered, the service data module.
class ModuloServicos {
public:
    // `parametros` runs before the data modules are created.
    explicit ModuloServicos(const QString& path, const std::function<void(TdmGlobal&)>& parametros = {})
        : global(path)
    {
        dialogos.setAutoAcknowledgeMessages(true);
        if (parametros)
            parametros(global);
        dmTec.create(nullptr);
    }
    ~ModuloServicos() { dmTec.free(); }
    ModuloServicos(const ModuloServicos&) = delete;
    ModuloServicos& operator=(const ModuloServicos&) = delete;
    host::db::Transaction& tr() { return *global.IBTransaction1; }

    TdmGlobal global;
    host::ui::ScriptedDialogs dialogos;
};

// Rounds of ours against the direct writes of the same rows, alternating
// which goes first, each from the state `repoe` sets back; `contaNosso`
// runs after each of ours (to count what it wrote).
inline void contraDireto(Tempos& nosso, Tempos& direto, const std::function<void()>& repoe,
                         const std::function<void()>& nossoLado, const std::function<void()>& diretoLado,
                         const std::function<void()>& contaNosso = {})
{
    alternando(
        rounds(5),
        [&] {
            repoe();
            nosso.add(segundos(nossoLado));
            if (contaNosso)
                contaNosso();
        },
        [&] {
            repoe();
            direto.add(segundos(diretoLado));
        });
}

// The process of a module benchmark: the engine prepared, no display, and
// a system folder of its own (the host's log goes there, never into the
// invoking user's data folder), removed when the benchmark ends. The
// offscreen screen is a desk's smallest, 1366x768 (Qt's own default,
// 800x600, is smaller than any desk the module runs on): windows open at
// the size users see them.
inline QtMessageHandler sMensagensAnteriores = nullptr;

struct PreparoModulo {
    PreparoModulo()
    {
        host::db::prepareProcess();
        const QString tela = sistema.filePath("tela-mesa.json");
        QFile arquivo(tela);
        if (arquivo.open(QIODevice::WriteOnly))
            arquivo.write(R"({"screens": [{"name": "mesa", "x": 0, "y": 0, "width": 1366, "height": 768,)"
                          R"( "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
        arquivo.close();
        qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + tela).toLocal8Bit());
        sCaminhoSistema = sistema.path();
        // The offscreen platform warns at every window shown; the figures
        // would drown in it.
        sMensagensAnteriores = qInstallMessageHandler(
            [](QtMsgType tipo, const QMessageLogContext& contexto, const QString& texto) {
                if (texto.contains(QLatin1String("propagateSizeHints")))
                    return;
                if (sMensagensAnteriores)
                    sMensagensAnteriores(tipo, contexto, texto);
                else
                    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(tipo, contexto, texto)));
            });
    }
    ~PreparoModulo() { sCaminhoSistema.clear(); }
    PreparoModulo(const PreparoModulo&) = delete;
    PreparoModulo& operator=(const PreparoModulo&) = delete;
    QTemporaryDir sistema{QDir::tempPath() + "/techassist-bench-sistema-XXXXXX"};
};

// The process of a module benchmark measured against direct writes only:
// the application and a new host database of the benchmark's own name.
class ProcessoModulo {
    PreparoModulo preparo_;

public:
    ProcessoModulo(int& argc, char** argv, const char* nome) : app(argc, argv), base(nome)
    {
        novoBancoHost(base.path);
    }
    QApplication app;
    Arquivo base;
};

// The batch at a real company's size against a tenth of it: ours' processor
// time per row on the calling thread (the embedded engine runs each
// statement there) at the full size is held to that at the tenth (goal
// 1.2), so a cost that grows with the data (a read over every row stored, a
// number drawn past every one) shows; elapsed times are printed beside it.
// The tenth is measured before the full size and again after it, half its
// runs each time, and its figure is the mean of both medians: a load that
// comes or goes on the shared machine during the full size's runs weighs
// on both sizes alike instead of on one of them.
template <class Mede>
void medeCrescimento(Gravador& gravador, Mede mede, int tamanho)
{
    Crescimento& k = crescimento();
    k.medindo = true;
    auto medeDecimo = [&] {
        k.vezes = 5;
        mede(gravador, Escrita::Assincrona, tamanho / 10);
        return std::exchange(k.medidas, {});
    };
    const std::vector<Crescimento::Medida> antes = medeDecimo();
    k.vezes = 1;
    mede(gravador, Escrita::Assincrona, tamanho);
    const std::vector<Crescimento::Medida> cheios = std::exchange(k.medidas, {});
    const std::vector<Crescimento::Medida> depois = medeDecimo();
    k.medindo = false;
    for (size_t i = 0; i < cheios.size() && i < antes.size() && i < depois.size(); ++i) {
        const Crescimento::Medida& cheio = cheios[i];
        const int linhasDecimo = antes[i].linhas;
        const double porLinhaDecimo =
            (antes[i].c.processadorFioNosso.mediana() + depois[i].c.processadorFioNosso.mediana()) / 2 / linhasDecimo;
        const double porLinha = cheio.c.processadorFioNosso.mediana() / cheio.linhas;
        const double razao = porLinha / porLinhaDecimo;
        std::printf("%s, at a real company's size: processor time per row %.3f ms at %d %s against %.3f ms at %d"
                    " (a tenth), ratio %.2f%s; elapsed %.2fs and %.2fs\n",
                    cheio.titulo.constData(), porLinha * 1e3, cheio.linhas, cheio.unidade.constData(),
                    porLinhaDecimo * 1e3, linhasDecimo, razao, meta(razao, 1.2).constData(), cheio.c.nosso.mediana(),
                    (antes[i].c.nosso.mediana() + depois[i].c.nosso.mediana()) / 2);
    }
}

// A batch benchmark's whole run: its rows on a database with asynchronous
// writes, then fewer on one made as the application makes it (forced writes,
// every commit waiting for the disk), then (by the first run of the program
// alone, not its helpers) its growth at a real company's size
// (`linhasEmpresa`, in the unit `mede` takes). The exit code says whether a
// goal was missed.
template <class Mede>
int executaLote(int argc, char** argv, Mede mede, int linhasAssincronas, int linhasComoAplicacao,
                int linhasEmpresa)
{
    emProcessos(argv);
    PreparoModulo preparo;
    QApplication app(argc, argv);
    Gravador gravador;
    mede(gravador, Escrita::Assincrona, linhasAssincronas);
    mede(gravador, Escrita::ComoAplicacao, linhasComoAplicacao);
    if (processos::arquivoAmostras().isEmpty())
        medeCrescimento(gravador, mede, linhasEmpresa);
    return resultado();
}

}  // namespace bench
