#include "screens/publication/publication_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSysInfo>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

#include "publish/connection_test.h"
#include "widgets/colours.h"

namespace qx7 {

Dialogo_Publicacao::Dialogo_Publicacao(const Servicos_Publicacao& servicos, QWidget* parent)
    : QDialog(parent), servicos_(servicos) {
    setObjectName(QStringLiteral("Publicacao"));
    setWindowTitle(QStringLiteral("Publicação"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(
        QStringLiteral("Leituras, inventários, descargas e alarmes enviados a um servidor "
                       "MQTT.\nServidor vazio: nada é publicado. Gravado em %1.")
            .arg(servicos_.arquivo_preferencias),
        this));
    formulario_ = new QFormLayout;
    layout->addLayout(formulario_);
    servidor_ = Campo("Servidor", QStringLiteral("Servidor:"),
                      QStringLiteral("mqtts://host:porta ou mqtt://host:porta"));
    usuario_ = Campo("Usuario", QStringLiteral("Usuário:"), {});
    senha_ = Campo("Senha", QStringLiteral("Senha:"), {});
    senha_->setEchoMode(QLineEdit::Password);
    ca_ = Campo("CA", QStringLiteral("CA:"), QStringLiteral("vazio: as autoridades do sistema"),
                true);
    certificado_ = Campo("Certificado", QStringLiteral("Certificado do cliente:"), {}, true);
    chave_ = Campo("Chave", QStringLiteral("Chave do certificado:"), {}, true);
    estacao_ = Campo("Estacao", QStringLiteral("Nome da estação:"),
                     QStringLiteral("vazio: %1").arg(QSysInfo::machineHostName()));
    prefixo_ = Campo("Prefixo", QStringLiteral("Prefixo dos tópicos:"),
                     QString::fromLatin1(Prefixo_Padrao));
    sem_tls_ = new QCheckBox(QStringLiteral("Permitir senha sem TLS (só em rede confiável)"), this);
    sem_tls_->setObjectName(QStringLiteral("PermitirSemTLS"));
    formulario_->addRow(sem_tls_);

    testar_ = new QPushButton(QStringLiteral("Testar conexão"), this);
    testar_->setObjectName(QStringLiteral("Testar_Conexao"));
    resultado_ = new QLabel(this);
    resultado_->setObjectName(QStringLiteral("Resultado"));
    resultado_->setWordWrap(true);
    layout->addWidget(testar_);
    layout->addWidget(resultado_);
    auto* botoes = new QDialogButtonBox(QDialogButtonBox::Save | QDialogButtonBox::Cancel, this);
    botoes->button(QDialogButtonBox::Save)->setText(QStringLiteral("Gravar"));
    botoes->button(QDialogButtonBox::Save)->setObjectName(QStringLiteral("Gravar"));
    botoes->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancelar"));
    layout->addWidget(botoes);

    connect(testar_, &QPushButton::clicked, this, &Dialogo_Publicacao::Testar);
    connect(&teste_, &QFutureWatcher<Falha_Mqtt>::finished, this, &Dialogo_Publicacao::Testado);
    connect(botoes, &QDialogButtonBox::accepted, this, &Dialogo_Publicacao::Gravar);
    connect(botoes, &QDialogButtonBox::rejected, this, &QDialog::reject);
    Preencher(Ler_Campos_Publicacao(servicos_.arquivo_preferencias).value_or(Campos_Publicacao{}));
}

QLineEdit* Dialogo_Publicacao::Campo(const char* nome, const QString& rotulo, const QString& dica,
                                     bool arquivo) {
    auto* campo = new QLineEdit(this);
    campo->setObjectName(QString::fromLatin1(nome));
    campo->setPlaceholderText(dica);
    if (!arquivo) {
        formulario_->addRow(rotulo, campo);
        return campo;
    }
    auto* linha = new QHBoxLayout;
    auto* escolher = new QToolButton(this);
    escolher->setText(QStringLiteral("…"));
    escolher->setObjectName(QString::fromLatin1(nome) + QStringLiteral("_Escolher"));
    linha->addWidget(campo);
    linha->addWidget(escolher);
    formulario_->addRow(rotulo, linha);
    connect(escolher, &QToolButton::clicked, this, [this, campo, rotulo] {
        const QString escolhido = QFileDialog::getOpenFileName(this, rotulo, campo->text());
        if (!escolhido.isEmpty()) {
            campo->setText(escolhido);
        }
    });
    return campo;
}

void Dialogo_Publicacao::Preencher(const Campos_Publicacao& c) {
    servidor_->setText(c.servidor);
    usuario_->setText(c.usuario);
    senha_->setText(c.senha);
    ca_->setText(c.ca);
    certificado_->setText(c.certificado);
    chave_->setText(c.chave);
    estacao_->setText(c.estacao);
    prefixo_->setText(c.prefixo);
    sem_tls_->setChecked(c.permitir_sem_tls);
}

Campos_Publicacao Dialogo_Publicacao::Campos() const {
    return {.servidor = servidor_->text().trimmed(),
            .usuario = usuario_->text(),
            .senha = senha_->text(),
            .ca = ca_->text().trimmed(),
            .certificado = certificado_->text().trimmed(),
            .chave = chave_->text().trimmed(),
            .estacao = estacao_->text().trimmed(),
            .prefixo = prefixo_->text().trimmed(),
            .permitir_sem_tls = sem_tls_->isChecked()};
}

std::optional<Configuracao_Mqtt> Dialogo_Publicacao::Validar() {
    const Leitura_Publicacao lida = Validar_Publicacao(Campos(), QSysInfo::machineHostName());
    if (!lida.config) {
        Mostrar(lida.recusa, true);
    }
    return lida.config;
}

void Dialogo_Publicacao::Testar() {
    const std::optional<Configuracao_Mqtt> config = Validar();
    if (!config) {
        return;
    }
    testado_ = config->Servidor();
    testar_->setEnabled(false);
    Mostrar(QStringLiteral("Conectando a %1…").arg(testado_), false);
    teste_.setFuture(QtConcurrent::run([config = *config] { return Testar_Conexao(config); }));
}

void Dialogo_Publicacao::Testado() {
    testar_->setEnabled(true);
    const Falha_Mqtt falha = teste_.result();
    if (falha) {
        Mostrar(QStringLiteral("Falhou: %1.").arg(falha.texto), true);
    } else {
        Mostrar(QStringLiteral("Conexão aceita por %1.").arg(testado_), false);
    }
}

// An empty address is saved too: it turns publishing off.
void Dialogo_Publicacao::Gravar() {
    const Campos_Publicacao campos = Campos();
    if (!campos.servidor.isEmpty() && !Validar()) {
        return;
    }
    QString erro;
    if (!Gravar_Publicacao(servicos_.arquivo_preferencias, campos, erro)) {
        Mostrar(erro, true);
        return;
    }
    if (servicos_.reler) {
        servicos_.reler();
    }
    accept();
}

void Dialogo_Publicacao::Mostrar(const QString& texto, bool falha) {
    resultado_->setText(texto);
    Pintar_Texto(*resultado_, falha ? Vermelho_Aviso : palette().color(QPalette::WindowText));
}

}  // namespace qx7
