// The inventory of 16 tanks against the simulator pacing its output at 960 bytes a second
// (9600 baud, 10 bits a byte): the wall time from the IV_Cmd click to the inventory screen,
// against the line time, the bytes on the wire both ways divided by 960. Several runs, one
// ratio each, and where the time of each run went.
//
//     QT_QPA_PLATFORM=offscreen ./build-perf/bench_inventario [runs] [--sem-ritmo] [--log N]
//                                      [--historico] [--backlog] [--publicacao]
//
// --sem-ritmo lets the simulator write each frame at once: the ratio is then meaningless, but
// the cycle per frame shows what the tick alone costs when the line takes no time.
// --log N puts N lines into the communication log before the first run, as after a long day.
// Either way the log view is put at its end before the runs, so every line scrolls it.
// --historico writes every answer to Historico.sqlite as the program does, so the ACK delay
// ("tick->ACK") can be compared with and without the history.
// --backlog starts that history with a week of 16 tanks read every minute (161,280 readings);
// --publicacao also publishes it to Debian's mosquitto on 127.0.0.1, so the ACK delay while the
// backlog drains can be compared with the same history and the publisher off.

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QSettings>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/main_panel.h"
#include "app/modal_screens_qt.h"
#include "app/startup_qt.h"
#include "station/history_wiring.h"
#include "station/publication_wiring.h"
#include "station/serial_port_qt.h"
#include "tests/support/mqtt/test_broker.h"
#include "tools/bench_program/bench_station.h"
#include "tools/bench_program/counting_port.h"
#include "tools/bench_program/traffic_analysis.h"
#include "tools/bench_publicacao/backlog.h"
#include "widgets/fonts.h"

namespace qx7::bancada {
namespace {

constexpr int Tanques = 16;

// The program's own screens, except that the password is typed at once and the moment the
// inventory screen is asked for, and the moment it is up, are noted; it is closed again
// straight away.
class Telas_Bancada : public Telas {
  public:
    explicit Telas_Bancada(Variaveis_Programa& variaveis) : variaveis_(variaveis) {}

    void Abrir_Senha() override { variaveis_.Senha_Usuario = "qx7"; }
    bool Abrir_Data() override { return qt->Abrir_Data(); }
    void Abrir_Resultados() override { qt->Abrir_Resultados(); }
    void Aviso(std::string_view texto, std::string_view titulo) override {
        qt->Aviso(texto, titulo);
    }
    void Abrir_Inventario() override {
        pedida = Relogio::now();
        QTimer::singleShot(0, [this] {
            aberta = Relogio::now();
            if (QWidget* tela = QApplication::activeModalWidget()) {
                tela->close();
            }
        });
        qt->Abrir_Inventario();
    }

    std::unique_ptr<Telas_Qt> qt;
    std::optional<Relogio::time_point> pedida;
    std::optional<Relogio::time_point> aberta;

  private:
    Variaveis_Programa& variaveis_;
};

// Notes when each tick of a timer begins, before its handler runs.
class Inicio_Dos_Ticks : public QObject {
  public:
    bool eventFilter(QObject* objeto, QEvent* evento) override {
        if (evento->type() == QEvent::Timer) {
            inicios.push_back(Relogio::now());
        }
        return QObject::eventFilter(objeto, evento);
    }
    std::vector<Relogio::time_point> inicios;
};

template <typename Condicao>
bool Esperar(Condicao condicao, std::chrono::milliseconds limite) {
    const auto fim = Relogio::now() + limite;
    while (!condicao()) {
        if (Relogio::now() > fim) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 25);
    }
    return true;
}

double Ms(Relogio::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

struct Opcoes {
    int execucoes = 5;
    bool ritmo = true;
    int linhas_log = 0;
    bool historico = false;
    bool backlog = false;
    bool publicacao = false;
};

Opcoes Ler_Opcoes(int argc, char** argv) {
    Opcoes opcoes;
    if (argc > 1) {
        opcoes.execucoes = std::atoi(argv[1]);
    }
    for (int i = 2; i < argc; ++i) {
        const std::string_view opcao(argv[i]);
        if (opcao == "--sem-ritmo") {
            opcoes.ritmo = false;
        } else if (opcao == "--historico") {
            opcoes.historico = true;
        } else if (opcao == "--backlog") {
            opcoes.historico = opcoes.backlog = true;
        } else if (opcao == "--publicacao") {
            opcoes.historico = opcoes.backlog = opcoes.publicacao = true;
        } else if (opcao == "--log" && i + 1 < argc) {
            opcoes.linhas_log = std::atoi(argv[++i]);
        }
    }
    return opcoes;
}

// A long day's log: lines shaped like an exchange's, added to the panel's own log.
void Encher_Log(Form1& painel, int linhas) {
    const std::string exemplos[] = {"#Msg.=0001 Tam.Msg.TX= 004 Msg.TX= IV",
                                    "Tam.Msg.TX= 005 Msg.TX= \x02IV\x03\x0C",
                                    "#Msg.=0001 Tam.Msg.RX= 001 Msg.RX= \x06",
                                    "Status: Recebeu ACK!", "Status: Transmiss\xE3o OK!"};
    for (int i = 0; i < linhas; ++i) {
        painel.Log().Adicionar(exemplos[i % std::size(exemplos)]);
    }
}

constexpr qint64 Inicio_Backlog_ms = 1'796'000'000'000;

// The week's backlog in the base directory's history and, for --publicacao, [Publicacao] to
// the broker; false when either could not be made.
bool Preparar_Backlog(const Opcoes& opcoes, const std::filesystem::path& base,
                      teste::Corretor_Teste& corretor) {
    if (opcoes.backlog && !Criar_Backlog(Arquivo_No_Diretorio(base, Arquivo_Historico),
                                         Leituras_Semana, Inicio_Backlog_ms)) {
        return false;
    }
    if (!opcoes.publicacao) {
        return true;
    }
    if (!corretor.Iniciar()) {
        std::fprintf(stderr, "%s\n", corretor.Erro().toUtf8().constData());
        return false;
    }
    QSettings preferencias(Arquivo_No_Diretorio(base, Arquivo_Preferencias), QSettings::IniFormat);
    const Configuracao_Mqtt config = corretor.Config();
    preferencias.setValue(QStringLiteral("Publicacao/Servidor"), config.Servidor());
    preferencias.setValue(QStringLiteral("Publicacao/Usuario"), config.usuario);
    preferencias.setValue(QStringLiteral("Publicacao/Senha"), config.senha);
    preferencias.sync();
    return QFile::setPermissions(preferencias.fileName(),
                                 QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

int Rodar(const Opcoes& opcoes) {
    const int execucoes = opcoes.execucoes;
    const bool ritmo = opcoes.ritmo;
    Diretorio_Temporario base;
    Configurar_COM1(base.Caminho());
    std::vector<std::string> argumentos{"--tanques", std::to_string(Tanques)};
    if (ritmo) {
        argumentos.emplace_back("--ritmo");
    }
    Processo_Simulador simulador(base.Caminho(), argumentos);
    teste::Corretor_Teste corretor;
    if (!Preparar_Backlog(opcoes, base.Caminho(), corretor)) {
        std::fprintf(stderr, "o backlog ou a publicação não foram preparados\n");
        return 1;
    }

    Porta_Serial_Qt serial(base.Caminho());
    Porta_Contadora porta(serial);
    Estacao estacao({.diretorio_base = base.Caminho(), .porta = &porta});
    Variaveis_Programa& variaveis = estacao.Variaveis();
    Telas_Bancada telas(variaveis);
    Servicos_Form1 servicos = Servicos_Do_Programa(variaveis);
    servicos.telas = &telas;
    Form1 painel(estacao, servicos);
    telas.qt = std::make_unique<Telas_Qt>(variaveis, &painel);
    if (!painel.Form_Load()) {
        std::fprintf(stderr, "o programa não abriu a porta\n");
        return 1;
    }
    if (opcoes.historico) {
        estacao.Iniciar_Historico(0);
    }
    if (opcoes.publicacao) {
        estacao.Iniciar_Publicacao();
    }
    Historico_Programa* historico = estacao.Historico();
    painel.show();

    Inicio_Dos_Ticks ticks;
    estacao.findChild<QTimer*>(QStringLiteral("Timer3"))->installEventFilter(&ticks);
    auto* iv = painel.findChild<QAbstractButton*>(QStringLiteral("IV_Cmd"));
    Enlace& enlace = estacao.Enlace_Serial();
    const auto ocioso = [&] {
        return enlace.Estado_Protocolo() == Enlace::Estado_Ocioso && enlace.Fila_TX().Vazia() &&
               enlace.Fila_RX().Vazia();
    };
    // Quiet: idle, and nothing on the line for 300 ms (the last ACK of a series included).
    const auto quieto = [&] {
        return ocioso() && !porta.trafego.empty() &&
               Relogio::now() - porta.trafego.back().quando > std::chrono::milliseconds(300);
    };
    Esperar(quieto, std::chrono::seconds(3));
    estacao.Logica_Medidor().Abrir_Conexao_Click();
    if (!Esperar([&] { return iv->isEnabled() && quieto(); }, std::chrono::seconds(10))) {
        std::fprintf(stderr, "a conexão não se completou\n");
        return 1;
    }

    Encher_Log(painel, opcoes.linhas_log);
    QCoreApplication::processEvents();  // the scroll bar takes the new lines
    painel.findChild<QAbstractItemView*>(QStringLiteral("Msg_Log"))->scrollToBottom();
    QCoreApplication::processEvents();
    std::printf("inventário de %d tanques, simulador %s, %d linhas no log, %s%s%s\n", Tanques,
                ritmo ? "com --ritmo (960 bytes/s)" : "sem ritmo (quadros de uma vez)",
                painel.Log().rowCount(), historico ? "com histórico" : "sem histórico",
                opcoes.backlog ? ", 161280 leituras antigas" : "",
                opcoes.publicacao ? ", publicando" : "");
    std::printf("%-4s %9s %7s %7s %10s %7s %9s\n", "exec", "parede_ms", "bytes", "linha_ms",
                "razão", "tela_ms", "razão_tela");
    for (int n = 1; n <= execucoes; ++n) {
        telas.pedida.reset();
        telas.aberta.reset();
        const std::size_t inicio = porta.trafego.size();
        porta.consultas_saida = 0;
        porta.saida_pendente = 0;
        const auto clique = Relogio::now();
        iv->click();
        if (!Esperar([&] { return telas.aberta.has_value(); }, std::chrono::seconds(30))) {
            std::fprintf(stderr, "a tela de inventário não abriu\n");
            return 1;
        }
        const Analise a = Analisar(porta.trafego, inicio, clique, *telas.pedida, ticks.inicios);
        const double parede = Ms(*telas.pedida - clique);
        const double linha = 1000.0 * static_cast<double>(a.bytes) / 960.0;
        std::printf("%-4d %9.1f %7ld %7.1f %10.3f %7.1f %9.3f\n", n, parede, a.bytes, linha,
                    parede / linha, Ms(*telas.aberta - clique), Ms(*telas.aberta - clique) / linha);
        Imprimir(a);
        if (Publicacao_Programa* publicacao = estacao.Publicacao()) {
            std::printf("     publicação: %lld à espera, %llu publicadas\n",
                        static_cast<long long>(publicacao->Estado().pendentes),
                        static_cast<unsigned long long>(publicacao->Estado().publicadas));
        }
        std::printf(
            "     espera de transmissão: %ld consultas a OutBufferCount, %ld com bytes "
            "pendentes\n",
            porta.consultas_saida, porta.saida_pendente);
        Esperar(quieto, std::chrono::seconds(10));
    }
    if (historico) {
        historico->Gravador().Encerrar();
        std::printf("histórico: %llu registros gravados, %llu perdidos\n",
                    static_cast<unsigned long long>(historico->Gravador().Gravados()),
                    static_cast<unsigned long long>(historico->Gravador().Perdidos()));
    }
    return 0;
}

}  // namespace
}  // namespace qx7::bancada

int main(int argc, char** argv) {
    QApplication aplicacao(argc, argv);
    qx7::Instalar_Substituicoes_Fontes();
    return qx7::bancada::Rodar(qx7::bancada::Ler_Opcoes(argc, argv));
}
