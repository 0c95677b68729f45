#pragma once
// A history window over a history file of its own, and what the window told the program: the
// fixture the history window's tests share. Widgets are found by object name.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QTableView>
#include <QTest>
#include <memory>
#include <stdexcept>
#include <string>

#include "screens/history/history_window.h"
#include "screens/history/readings_model.h"
#include "screens/history/table_cells.h"
#include "screens/history/tanks_tab.h"
#include "tests/support/history/history_fixture.h"

namespace qx7::teste {

inline constexpr qint64 Minuto_Ms = 60 * 1000;
inline constexpr qint64 Dia_Ms = 24 * 60 * Minuto_Ms;
inline const QDate Dia_1(2024, 2, 1);

inline qint64 Inicio(QDate dia) {
    return dia.startOfDay().toMSecsSinceEpoch();
}

// What the window told the program, and what the program answers.
struct Programa {
    int intervalo = 0;
    bool aceita = true;
    std::vector<int> pedidos;
    QString motivo;
    Estatisticas_Enlace sessao, pendentes;
    std::uint64_t perdidos = 0;
};

inline Servicos_Historico Servicos(const QString& arquivo, Programa& p) {
    return {.arquivo = arquivo,
            .contadores_sessao = [&p] { return p.sessao; },
            .contadores_pendentes = [&p] { return p.pendentes; },
            .motivo_inativo = [&p] { return p.motivo; },
            .intervalo = [&p] { return p.intervalo; },
            .definir_intervalo =
                [&p](int minutos) {
                    p.pedidos.push_back(minutos);
                    if (p.aceita) {
                        p.intervalo = minutos;
                    }
                    return p.aceita;
                },
            .perdidos = [&p] { return p.perdidos; }};
}

// The widget; a wrong name fails the test it is in, not the whole run.
template <typename T>
T& Achar(QWidget& tela, const char* nome) {
    T* controle = tela.findChild<T*>(QString::fromLatin1(nome));
    if (controle == nullptr) {
        throw std::runtime_error(std::string("no widget named ") + nome);
    }
    return *controle;
}

inline QString Texto(QTableView& tabela, int linha, int coluna) {
    return tabela.model()->index(linha, coluna).data().toString();
}

// A number cell's value, otherwise its text.
inline QString Celula(QTableView& tabela, int linha, int coluna) {
    const QModelIndex i = tabela.model()->index(linha, coluna);
    const QVariant numero = i.data(Papel_Numero);
    return numero.isValid() ? QString::number(numero.toDouble()) : i.data().toString();
}

inline QStringList Linhas_Do_Arquivo(const QString& caminho) {
    QFile arquivo(caminho);
    EXPECT_TRUE(arquivo.open(QIODevice::ReadOnly)) << caminho.toStdString();
    QStringList linhas = QString::fromUtf8(arquivo.readAll()).split(QStringLiteral("\r\n"));
    if (!linhas.isEmpty() && linhas.back().isEmpty()) {
        linhas.removeLast();
    }
    if (!linhas.isEmpty()) {
        linhas.front().remove(QChar(0xFEFF));
    }
    return linhas;
}

// A window over its own history file; the file holds what each test inserts before Abrir().
struct Historico_Janela : testing::Test {
    Historico_Teste historico;
    Programa programa;
    std::unique_ptr<Janela_Historico> tela;

    Janela_Historico& Abrir() {
        tela = std::make_unique<Janela_Historico>(Servicos(historico.Arquivo(), programa));
        return *tela;
    }

    Aba_Tanques& Tanques() { return Achar<Aba_Tanques>(*tela, "Aba_Tanques"); }

    // Readings of `tanques` every `passo_ms` from `de_ms` on.
    void Leituras(std::vector<int> tanques, qint64 de_ms, int quantas, qint64 passo_ms) {
        ASSERT_TRUE(historico.Banco().transaction());
        for (int i = 0; i < quantas; ++i) {
            for (int t : tanques) {
                Leitura_Teste l;
                l.instante_ms = de_ms + i * passo_ms;
                l.tanque = t;
                l.medido = 1000 + t * 100 + i % 50;
                l.complementar = 3000 - *l.medido;
                historico.Inserir_Leitura(l);
            }
        }
        ASSERT_TRUE(historico.Banco().commit());
    }

    void Escolher_Intervalo(QDate de, QDate ate) {
        Aba_Tanques& aba = Tanques();
        Achar<QComboBox>(aba, "Periodo").setCurrentIndex(3);
        Achar<QDateEdit>(aba, "De").setDate(de);
        Achar<QDateEdit>(aba, "Ate").setDate(ate);
    }

    // The readings table once the pages of its filter are known.
    QTableView& Tabela_Leituras() {
        QTableView& tabela = Achar<QTableView>(Tanques(), "Leituras");
        auto* modelo = qobject_cast<Modelo_Leituras*>(tabela.model());
        EXPECT_NE(modelo, nullptr);
        EXPECT_TRUE(modelo == nullptr ||
                    QTest::qWaitFor([modelo] { return !modelo->Lendo(); }, 10000));
        return tabela;
    }
};

}  // namespace qx7::teste
