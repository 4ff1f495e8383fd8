{LSF}
{HEADER}
OUTFILE = out.lng
{/HEADER}
{/LSF}
