# bash completion for tolvane-cli. The options come from the program's own --help, so they
# are always those of the installed version.

_tolvane_cli()
{
    local cur=${COMP_WORDS[COMP_CWORD]}
    local prev=${COMP_WORDS[COMP_CWORD-1]}
    local command=${COMP_WORDS[1]}
    COMPREPLY=()

    if [ "$COMP_CWORD" -eq 1 ]; then
        COMPREPLY=($(compgen -W "status run record schedule service sntp devices --help --version" -- "$cur"))
        return
    fi

    local words=$command
    case $command in
        schedule)
            if [ "$COMP_CWORD" -eq 2 ]; then
                COMPREPLY=($(compgen -W "list add edit remove enable disable postpone --help" -- "$cur"))
                return
            fi
            words="schedule ${COMP_WORDS[2]}"
            ;;
        service)
            [ "$COMP_CWORD" -eq 2 ] && COMPREPLY=($(compgen -W "install uninstall --help" -- "$cur"))
            return
            ;;
    esac

    case $prev in
        --folder)
            COMPREPLY=($(compgen -d -- "$cur"))
            return
            ;;
        --before | --after | --wme-session)
            COMPREPLY=($(compgen -f -- "$cur"))
            return
            ;;
        --format) COMPREPLY=($(compgen -W "wave mp3 windowsmedia" -- "$cur")); return ;;
        --days) COMPREPLY=($(compgen -W "all none sun mon tue wed thu fri sat" -- "$cur")); return ;;
        --rate) COMPREPLY=($(compgen -W "11025 22050 32000 44100 48000" -- "$cur")); return ;;
        --bits) COMPREPLY=($(compgen -W "8 16" -- "$cur")); return ;;
        --channels) COMPREPLY=($(compgen -W "mono stereo" -- "$cur")); return ;;
        --mp3-mode) COMPREPLY=($(compgen -W "mono stereo joint mid-side dual" -- "$cur")); return ;;
        --mp3-file) COMPREPLY=($(compgen -W "mp3 riff-wave riff-rmp" -- "$cur")); return ;;
        --device) COMPREPLY=($(compgen -W "system" -- "$cur")); return ;;
        --source)
            COMPREPLY=($(compgen -W "$(tolvane-cli devices 2>/dev/null | grep -oE 'source "[^"]+"' | cut -d'"' -f2)" -- "$cur"))
            return
            ;;
        --when-done)
            COMPREPLY=($(compgen -W "nothing quit power-off hibernate hibernate-quit" -- "$cur"))
            return
            ;;
    esac

    if [[ $cur == -* ]]; then
        # The option column of Qt's help: "  --name <value>" or "  -h, --help".
        local options
        options=$(tolvane-cli $words --help 2>/dev/null | grep -oE '^ +(-[a-z?], )?--[a-z0-9-]+' | grep -oE -- '--[a-z0-9-]+')
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
    fi
}

complete -F _tolvane_cli tolvane-cli
