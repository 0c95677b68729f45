#include "link/system_error.h"

#include <cerrno>

namespace qx7 {

std::string Descricao_Erro_Sistema(int codigo) {
    switch (codigo) {
        case EACCES:
        case EPERM:
            return "permissão negada";
        case EROFS:
            return "o sistema de arquivos é somente leitura";
        case ENOSPC:
            return "não há espaço livre no disco";
#ifdef EDQUOT  // Windows has no disk quotas in errno
        case EDQUOT:
            return "a cota de disco foi excedida";
#endif
        case ENOTDIR:
            return "uma parte do caminho não é um diretório";
        case ENOENT:
            return "arquivo ou diretório inexistente";
        case EISDIR:
            return "o caminho é um diretório";
        case EEXIST:
            return "o arquivo já existe";
        case ENAMETOOLONG:
            return "o nome do arquivo é longo demais";
        case EBUSY:
            return "o dispositivo está ocupado";
        case ENODEV:
        case ENXIO:
            return "o dispositivo não existe ou foi desconectado";
        case EIO:
            return "erro de entrada e saída no dispositivo";
        // A terminal whose device went away (a hung-up line) no longer answers as a terminal.
        case ENOTTY:
            return "o dispositivo não responde mais como terminal (desligado?)";
        case EMFILE:
        case ENFILE:
            return "arquivos abertos demais";
        case EAGAIN:
            return "recurso temporariamente indisponível";
        case EINTR:
            return "operação interrompida";
        case ETIMEDOUT:
            return "tempo de espera esgotado";
        case EINVAL:
            return "parâmetro inválido";
        default:
            return "erro do sistema número " + std::to_string(codigo);
    }
}

}  // namespace qx7
