#pragma once
// Debian's mosquitto started for a test on 127.0.0.1: a listener with a password file, and a
// TLS listener with a CA and a server certificate made here with openssl (for the name
// "localhost"), beside a second CA that signed nothing of the broker's. Each on a free port;
// stopped and started again on the same ports. The broker runs as the test's own user (root
// in CI), so it can read the files in the test's private folder.

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include "publish/mqtt_config.h"

namespace qx7::teste {

inline const QString Usuario_Corretor = QStringLiteral("estacao");
inline const QString Senha_Corretor = QStringLiteral("segredo");

class Corretor_Teste {
  public:
    Corretor_Teste();
    ~Corretor_Teste();
    Corretor_Teste(const Corretor_Teste&) = delete;
    Corretor_Teste& operator=(const Corretor_Teste&) = delete;

    // mosquitto, mosquitto_passwd and openssl are installed; otherwise tests skip with this.
    static bool Instalado();
    static const char* Motivo_Ausente() {
        return "mosquitto, mosquitto_passwd ou openssl não instalados (scripts/setup.sh)";
    }

    // Files made and the broker listening on both ports; false with Erro() otherwise.
    bool Iniciar();
    void Parar();
    bool Rodando() const { return processo_.state() == QProcess::Running; }
    const QString& Erro() const { return erro_; }

    // The station's settings against the plain listener (127.0.0.1) or the TLS one
    // ("localhost", the broker's CA).
    Configuracao_Mqtt Config(bool tls = false) const;
    QString Ca_Estranha() const { return pasta_.filePath(QStringLiteral("outra-ca.crt")); }
    QString Pasta() const { return pasta_.path(); }
    // A port on 127.0.0.1 nobody listens on now.
    static int Porta_Livre();

  private:
    bool Preparar_Arquivos();
    bool Executar(const QString& programa, const QStringList& argumentos);
    bool Escutando() const;

    QTemporaryDir pasta_;
    int porta_ = 0;
    int porta_tls_ = 0;
    bool preparado_ = false;
    QProcess processo_;
    QString erro_;
};

}  // namespace qx7::teste
