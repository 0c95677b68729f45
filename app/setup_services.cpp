#include "app/setup_services.h"

#include "station/base_dir.h"
#include "station/com_number.h"
#include "station/config_file.h"

namespace qx7 {

Servicos_Form4 Servicos_Configuracao(const std::filesystem::path& base,
                                     std::shared_ptr<const Descoberta_Portas> descoberta) {
    const std::filesystem::path arquivo = Arquivo_Configuracao(base);
    return {
        .ler_porta_configurada = [arquivo] { return Ler_Primeiro_Campo(arquivo); },
        .gravar_porta =
            [arquivo](std::string_view porta, std::string& erro) {
                return Gravar_Configuracao(arquivo, porta, erro);
            },
        .arquivo_configuracao = arquivo,
        .numero_porta = Numero_Porta,
        .portas_presentes = [descoberta] { return Portas_Presentes(*descoberta); },
        .julgar_com = [descoberta,
                       base](int numero) { return Julgar_COM(*descoberta, base, numero); },
        .julgar_dispositivo =
            [descoberta](const std::filesystem::path& dispositivo) {
                return Julgar_Dispositivo(*descoberta, dispositivo);
            },
        .com_leva_a =
            [base](int numero, const std::filesystem::path& dispositivo) {
                return Mesmo_Dispositivo(dispositivo,
                                         Resolver_COM(base, numero).caminho.toStdU16String());
            },
        .numero_com = [base](const std::filesystem::path& alvo, const std::set<int>& do_sistema,
                             int maximo) -> std::optional<Numero_COM_Adaptador> {
            const std::map<int, std::filesystem::path> entradas = Entradas_COM(base);
            const std::optional<int> numero = Numero_COM(entradas, do_sistema, alvo, maximo);
            if (!numero) {
                return std::nullopt;
            }
            return Numero_COM_Adaptador{*numero, entradas.contains(*numero)};
        },
        .ligar_com = [base](int numero, const std::filesystem::path& alvo,
                            std::string& erro) { return Ligar_COM(base, numero, alvo, erro); },
    };
}

}  // namespace qx7
