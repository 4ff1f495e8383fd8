{LSF}
{HEADER}
OUTFILE = /dev/full
{/HEADER}
{BODY}
A = a
{/BODY}
{/LSF}
