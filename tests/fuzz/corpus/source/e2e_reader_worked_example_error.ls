# demo
{LSF}
{HEADER}
NAMES = Demo
{/HEADER}

{BODY}
Hello = Hello world
