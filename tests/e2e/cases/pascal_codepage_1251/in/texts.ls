{LSF}
{HEADER}
OUTFILE = app.lng
{/HEADER}
{BODY}
HELLO = Привет й
QUOTE = «Цитата» 'x'
{/BODY}
{/LSF}
